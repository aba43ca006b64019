#pragma once

#include <QIcon>
#include <QPixmap>

/// The program's icon: a transformer symbol (two windings on a core) on a blue tile.
QIcon applicationIcon();

/// The About box's picture: the same symbol, drawn on a light tile, `size` pixels square.
QPixmap aboutIcon(int size = 48);
