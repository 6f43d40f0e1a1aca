#pragma once
// CWholeLineTextEdit: a read-only multi-line text box that shows whole lines
// only. Its text area is as many line heights high as fit (the spare pixels
// become margin above and below), and it scrolls a line at a time, so no line
// is ever shown cut in half.

#include <QTextEdit>

namespace gestalia {

class CWholeLineTextEdit final : public QTextEdit {
  public:
    explicit CWholeLineTextEdit(QWidget* parent = nullptr);

    // The height of one line of the text, in pixels (at least 1).
    int LineHeight() const;
    // The height of the area the text is shown in: a whole number of lines.
    int TextAreaHeight() const { return viewport()->height(); }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FitWholeLines();
    void SnapToLine(int value);

    bool m_bFitting = false;
};

}  // namespace gestalia
