#pragma once

#include <functional>
#include <optional>

#include <QString>

#include <QStringList>

#include "engine/core_choice.h"
#include "engine/rule_set.h"

class QWidget;

/// What the engineer sees of the design in the form: the entries as typed, the controller and
/// the rules. The design has unsaved changes while this differs from what was last opened or saved.
struct FormSnapshot {
    QStringList entries;
    int controllerChoice = 0;
    quillmere::RuleSet rules;
    std::optional<quillmere::CoreChoice> core;
    std::optional<quillmere::CoreSetChoice> coreSet;

    bool operator==(const FormSnapshot&) const = default;
};

/// The answers to "保存对设计的更改吗?".
enum class SaveAnswer { Save, Discard, Cancel };

/// How the form asks whether to save its changes; tests put their own in place of the box.
using SaveQuestion = std::function<SaveAnswer(QWidget* parent)>;

/// The question as a message box with Save / Don't save / Cancel; Esc cancels.
SaveAnswer askToSaveDesign(QWidget* parent);

/// The window title of a design: its file name (or "未命名") with the modified mark `[*]`, then
/// the program's caption.
QString documentTitle(const QString& designPath, const QString& caption);
