#include "overview/Logo.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

QPixmap PavendaLogo(const QSize& size) {
    QPixmap logo(size);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    // A red tile with a white "P" and a blue accent bar, then the name.
    const int tile = size.height() - 4;
    const QRectF tileRect(2, 2, tile, tile);
    QPainterPath rounded;
    rounded.addRoundedRect(tileRect, tile / 6.0, tile / 6.0);
    painter.fillPath(rounded, QColor(0xE0, 0x2E, 0x34));
    painter.fillRect(QRectF(2 + tile * 0.15, 2 + tile * 0.8, tile * 0.7, tile * 0.08), QColor(0x06, 0xA2, 0xCB));
    QFont letter(QStringLiteral("Arial"));
    letter.setBold(true);
    letter.setPixelSize(int(tile * 0.7));
    painter.setFont(letter);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(tileRect.left(), tileRect.top(), tile, tile * 0.85), Qt::AlignCenter, QStringLiteral("P"));

    QFont name(QStringLiteral("Arial"));
    name.setBold(true);
    name.setPixelSize(int(size.height() * 0.42));
    painter.setFont(name);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    const QRectF textRect(tile + 12, 0, size.width() - tile - 12, size.height() * 0.62);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Pavenda"));
    QFont year(QStringLiteral("Arial"));
    year.setPixelSize(int(size.height() * 0.26));
    painter.setFont(year);
    painter.setPen(QColor(0xE0, 0x2E, 0x34));
    painter.drawText(QRectF(tile + 14, size.height() * 0.62, size.width() - tile - 14, size.height() * 0.38),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("werkkostenregeling 2024"));
    return logo;
}
