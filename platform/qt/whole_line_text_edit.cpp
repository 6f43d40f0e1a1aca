#include "platform/qt/whole_line_text_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace gestalia {

namespace {

// The room kept between the frame and the text on the left and right, as
// the text box's own document margin would.
constexpr int kSideMargin = 4;

}  // namespace

CWholeLineTextEdit::CWholeLineTextEdit(QWidget* parent) : QTextEdit(parent) {
    // The margins are the viewport's, so that the scrolled text never shows
    // through them.
    document()->setDocumentMargin(0);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this] { FitWholeLines(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { SnapToLine(value); });
    FitWholeLines();
}

int CWholeLineTextEdit::LineHeight() const {
    // The distance between laid-out lines where there are two, else the
    // font's line spacing.
    const QTextBlock block = document()->firstBlock();
    if (const QTextLayout* layout = block.layout(); layout != nullptr && layout->lineCount() >= 2) {
        const qreal pitch = layout->lineAt(1).y() - layout->lineAt(0).y();
        return std::max(1, static_cast<int>(std::ceil(pitch)));
    }
    return std::max(1, QFontMetrics(font()).lineSpacing());
}

void CWholeLineTextEdit::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    FitWholeLines();
}

void CWholeLineTextEdit::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitWholeLines();
    }
}

void CWholeLineTextEdit::FitWholeLines() {
    if (m_bFitting) {
        return;
    }
    m_bFitting = true;
    const int line = LineHeight();
    const int full = contentsRect().height();
    const int lines = std::max(1, full / line);
    const int spare = std::max(0, full - lines * line);
    setViewportMargins(kSideMargin, spare / 2, kSideMargin, spare - spare / 2);
    verticalScrollBar()->setSingleStep(line);
    verticalScrollBar()->setPageStep(lines * line);
    m_bFitting = false;
    SnapToLine(verticalScrollBar()->value());
}

void CWholeLineTextEdit::SnapToLine(int value) {
    const int line = LineHeight();
    const int snapped = (value + line / 2) / line * line;
    QScrollBar* bar = verticalScrollBar();
    const int target = std::min(snapped, bar->maximum() - bar->maximum() % line);
    if (target != value) {
        bar->setValue(target);
    }
}

}  // namespace gestalia
