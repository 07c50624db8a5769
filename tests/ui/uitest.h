#pragma once

#include "ui/forms.h"
#include "ui/frmDurnoval.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>
#include <QWidget>

#include <memory>

namespace durnoval::test {

// The offscreen platform warns of every raise() it cannot do; that says nothing about the
// program, and it would bury what does. Call from initTestCase(), after the test log is set up.
inline void quietPlatformWarnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
}

// A fresh set of windows per test, with the program's end recorded instead of carried out.
struct FormsFixture {
    int endRequests = 0;
    std::unique_ptr<Forms> forms;

    void setUp() {
        endRequests = 0;
        forms = std::make_unique<Forms>([this] { ++endRequests; });
    }
    // A fresh set with the main window shown, as the program starts.
    frmDurnoval &start() {
        setUp();
        forms->showDurnoval();
        return forms->durnoval();
    }
    void tearDown() { forms.reset(); }
};

template <typename Widget = QWidget> Widget *control(QWidget &window, const char *name) {
    return window.findChild<Widget *>(QString::fromLatin1(name));
}

// Whether a caption, wrapped at word boundaries as a label draws it, is fully readable in its
// box: no line wider than the box and no glyph of any line below its bottom edge.
inline bool textFits(const QString &text, const QFont &font, const QSizeF &box) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const QFontMetricsF metrics(font);
    layout.beginLayout();
    qreal y = 0;
    bool fits = true;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        line.setPosition({0, y});
        const QString shown = text.mid(line.textStart(), line.textLength()).trimmed();
        const qreal inkBottom = y + line.ascent() + metrics.tightBoundingRect(shown).bottom();
        fits = fits && line.naturalTextWidth() <= box.width() && inkBottom <= box.height();
        y += line.height();
    }
    layout.endLayout();
    return fits;
}

inline bool captionFits(const QLabel &label) {
    QRectF box = label.contentsRect();
    const int indent = label.indent() >= 0 ? label.indent()
                       : label.frameWidth() > 0
                           ? QFontMetrics(label.font()).horizontalAdvance(QLatin1Char('x')) / 2
                           : 0;
    if (!label.alignment().testFlag(Qt::AlignHCenter))
        box.setWidth(box.width() - indent);
    return textFits(label.text(), label.font(), box.size());
}

inline bool captionFits(const QPushButton &button) {
    const QStyle *style = button.style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) / 2 +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button));
    const QFontMetricsF metrics(button.font());
    return metrics.horizontalAdvance(button.text()) + margins <= button.width() &&
           metrics.height() <= button.height();
}

} // namespace durnoval::test
