#pragma once

#include <QCoreApplication>

/// The sheet's texts are translated under the context "WindingSheet": `WindingSheet::tr(...)`
/// gives them in the language of the installed translators.
struct WindingSheet {
    Q_DECLARE_TR_FUNCTIONS(WindingSheet)
};
