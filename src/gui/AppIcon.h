#pragma once
// The program's icon, drawn rather than stored: three overlapping washes of
// paint (the separations) under a pencil stroke (the outline), on a paper
// square.  The windows use it, and the build writes it as the PNG files
// the desktop entry installs (quorlin-separator --write-icons DIR).

#include <QIcon>
#include <QImage>
#include <QString>

// The icon at `side` x `side` pixels, transparent around the paper.
QImage App_Icon_Image(int side);
// The icon at the sizes a desktop asks for.
QIcon App_Icon();
// Writes quorlin-separator-<side>.png for each size the desktop entry
// installs into `folder`; false with the file that failed in `failed`.
bool Write_App_Icons(const QString& folder, QString& failed);
