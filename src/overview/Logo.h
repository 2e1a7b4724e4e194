#pragma once
// The product logo, drawn in the program's colours.

#include <QtGui/QPixmap>

QPixmap PavendaLogo(const QSize& size);
