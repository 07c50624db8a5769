// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the about window's picture: a road wheel with its tyre, seen from the side, written as
// a baseline JPEG of 127 x 112 pixels, or of twice that for screens scaled by 2 (the same scene,
// drawn finer). Usage: durnoval-draw-wheel OUTPUT.jpg [SCALE [QUALITY]]

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr QSize kSize(127, 112);
constexpr QPointF kHub(63.5, 54);
constexpr double kTyreOuter = 50;
constexpr double kTyreInner = 33;
constexpr double kRimOuter = 32;
constexpr int kSpokes = 5;

void drawBackdrop(QPainter &p) {
    QLinearGradient sky(0, 0, 0, kSize.height());
    sky.setColorAt(0, QColor(176, 206, 232));
    sky.setColorAt(0.78, QColor(228, 236, 242));
    sky.setColorAt(0.79, QColor(120, 118, 112));
    sky.setColorAt(1, QColor(84, 82, 78));
    p.fillRect(QRect(QPoint(0, 0), kSize), sky);
    QRadialGradient shadow(QPointF(kHub.x(), kHub.y() + kTyreOuter), 56,
                           QPointF(kHub.x(), kHub.y() + kTyreOuter));
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(kHub.x(), kHub.y() + kTyreOuter), 58, 7);
}

void drawTyre(QPainter &p) {
    QRadialGradient rubber(kHub, kTyreOuter, kHub - QPointF(14, 18));
    rubber.setColorAt(0.6, QColor(58, 58, 60));
    rubber.setColorAt(0.9, QColor(30, 30, 32));
    rubber.setColorAt(1, QColor(12, 12, 14));
    QPainterPath ring;
    ring.addEllipse(kHub, kTyreOuter, kTyreOuter);
    ring.addEllipse(kHub, kTyreInner, kTyreInner);
    p.setPen(Qt::NoPen);
    p.setBrush(rubber);
    p.drawPath(ring);
    // Tread blocks around the shoulder.
    p.setPen(QPen(QColor(20, 20, 22), 1.6));
    for (int i = 0; i < 48; ++i) {
        const double a = i * 2 * M_PI / 48;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(kHub + dir * (kTyreOuter - 4.5), kHub + dir * (kTyreOuter - 0.5));
    }
    // Sidewall lettering, hinted by a thin lighter band.
    p.setPen(QPen(QColor(96, 96, 100), 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(kHub.x() - 42, kHub.y() - 42, 84, 84), 30 * 16, 50 * 16);
    p.drawArc(QRectF(kHub.x() - 42, kHub.y() - 42, 84, 84), 210 * 16, 50 * 16);
}

void drawRim(QPainter &p) {
    QRadialGradient metal(kHub, kRimOuter, kHub - QPointF(10, 12));
    metal.setColorAt(0, QColor(236, 238, 242));
    metal.setColorAt(0.7, QColor(176, 180, 188));
    metal.setColorAt(1, QColor(110, 114, 122));
    p.setPen(QPen(QColor(70, 72, 78), 1));
    p.setBrush(metal);
    p.drawEllipse(kHub, kRimOuter, kRimOuter);
    // Dark well behind the spokes.
    p.setBrush(QColor(46, 48, 54));
    p.setPen(Qt::NoPen);
    p.drawEllipse(kHub, kRimOuter - 4, kRimOuter - 4);
    // Spokes.
    QLinearGradient spokeShade(kHub - QPointF(20, 20), kHub + QPointF(20, 20));
    spokeShade.setColorAt(0, QColor(232, 234, 240));
    spokeShade.setColorAt(1, QColor(140, 144, 152));
    p.setBrush(spokeShade);
    p.setPen(QPen(QColor(90, 92, 100), 0.8));
    for (int i = 0; i < kSpokes; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / kSpokes;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF side(-dir.y(), dir.x());
        QPainterPath spoke;
        spoke.moveTo(kHub + side * 4.5 + dir * 6);
        spoke.lineTo(kHub + side * 7.5 + dir * (kRimOuter - 4));
        spoke.lineTo(kHub - side * 7.5 + dir * (kRimOuter - 4));
        spoke.lineTo(kHub - side * 4.5 + dir * 6);
        spoke.closeSubpath();
        p.drawPath(spoke);
    }
    // Hub with its wheel nuts.
    QRadialGradient hub(kHub, 10, kHub - QPointF(3, 3));
    hub.setColorAt(0, QColor(245, 246, 248));
    hub.setColorAt(1, QColor(150, 154, 162));
    p.setBrush(hub);
    p.drawEllipse(kHub, 10, 10);
    p.setBrush(QColor(70, 72, 80));
    for (int i = 0; i < kSpokes; ++i) {
        const double a = -M_PI / 2 + M_PI / kSpokes + i * 2 * M_PI / kSpokes;
        p.drawEllipse(kHub + QPointF(std::cos(a), std::sin(a)) * 6.5, 1.6, 1.6);
    }
    p.setBrush(QColor(60, 62, 70));
    p.drawEllipse(kHub, 2.5, 2.5);
}

// A photograph's grain: small deterministic noise, so the picture is the same every run.
void addGrain(QImage &image) {
    quint32 state = 2463534242u;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int d = static_cast<int>(state % 13) - 6;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + d, 255), qBound(0, qGreen(c) + d, 255),
                           qBound(0, qBlue(c) + d, 255));
        }
    }
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: durnoval-draw-wheel OUTPUT.jpg [SCALE [QUALITY]]\n");
        return 2;
    }
    const int scale = argc > 2 ? std::atoi(argv[2]) : 1;
    QImage image(kSize * scale, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        painter.setRenderHint(QPainter::Antialiasing);
        drawBackdrop(painter);
        drawTyre(painter);
        drawRim(painter);
    }
    addGrain(image);
    QImageWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setQuality(argc > 3 ? std::atoi(argv[3]) : 93);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(true);
    if (!writer.write(image)) {
        std::fprintf(stderr, "durnoval-draw-wheel: %s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
