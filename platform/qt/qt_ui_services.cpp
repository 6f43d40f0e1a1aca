#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStringList>
#include <QStyle>
#include <QUrl>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/openable_url.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_dialog_window.h"

namespace gestalia {

namespace {

QMessageBox::Icon ToQtIcon(MbIcon icon) {
    switch (icon) {
        case MbIcon::Question:
            return QMessageBox::Question;
        case MbIcon::Warning:
            return QMessageBox::Warning;
        case MbIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// "Agendas Brotela (*.gst)"
QString FilterText(const CFileFilter& filter) {
    return ToQString(filter.strDescription) + QStringLiteral(" (") + ToQString(filter.strPattern) +
           QStringLiteral(")");
}

}  // namespace

int CQtUiServices::RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) {
    CQtDialogWindow window(tmpl, handler, QApplication::activeModalWidget());
    return window.RunModal();
}

int CQtUiServices::MessageBox(std::string_view text, std::string_view caption, MbButtons buttons,
                              MbIcon icon, MbDefault defaultButton) {
    if (m_pAnswers != nullptr) {
        return m_pAnswers->MessageBox(text, caption, buttons, icon, defaultButton);
    }
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), QMessageBox::NoButton,
                    QApplication::activeModalWidget());
    // The buttons in order, each with the answer it gives.
    std::vector<std::pair<QMessageBox::StandardButton, int>> answers;
    switch (buttons) {
        case MbButtons::Ok:
            answers = {{QMessageBox::Ok, IDOK}};
            break;
        case MbButtons::YesNo:
            answers = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
            break;
        case MbButtons::YesNoCancel:
            answers = {{QMessageBox::Yes, IDYES},
                       {QMessageBox::No, IDNO},
                       {QMessageBox::Cancel, IDCANCEL}};
            break;
    }
    for (const auto& [button, answer] : answers) {
        box.addButton(button);
    }
    const auto index = std::min(static_cast<std::size_t>(defaultButton), answers.size() - 1);
    box.setDefaultButton(answers[index].first);
    box.setEscapeButton(answers.back().first);
    box.exec();
    const auto* clicked = box.clickedButton();
    for (const auto& [button, answer] : answers) {
        if (clicked == box.button(button)) {
            return answer;
        }
    }
    return answers.back().second;
}

std::optional<std::string> CQtUiServices::RunFileDialog(const CFileDialogSpec& spec, bool bSave) {
    QFileDialog dialog(QApplication::activeModalWidget());
    QStringList filters;
    for (const CFileFilter& filter : spec.filters) {
        filters << FilterText(filter);
    }
    dialog.setNameFilters(filters);
    if (spec.nFilterIndex >= 1 && spec.nFilterIndex <= filters.size()) {
        dialog.selectNameFilter(filters.at(spec.nFilterIndex - 1));
    }
    if (bSave) {
        // A new name is accepted; replacing a file is asked by the caller
        // unless the dialog is told to ask itself.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !spec.bConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(spec.bFileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(dialog.selectedFiles().constFirst());
}

std::optional<std::string> CQtUiServices::GetSaveFileName(const CFileDialogSpec& spec) {
    if (m_pAnswers != nullptr) {
        return m_pAnswers->GetSaveFileName(spec);
    }
    return RunFileDialog(spec, true);
}

std::optional<std::string> CQtUiServices::GetOpenFileName(const CFileDialogSpec& spec) {
    if (m_pAnswers != nullptr) {
        return m_pAnswers->GetOpenFileName(spec);
    }
    return RunFileDialog(spec, false);
}

bool CQtUiServices::OpenUrl(std::string_view url) {
    const std::optional<COpenTarget> target = OpenTargetOf(url, CacheFolder());
    if (!target) {
        return false;
    }
    // The address goes to the desktop as one URL; nothing interprets it as a command.
    const QUrl address = target->bLocalFile ? QUrl::fromLocalFile(ToQString(target->strTarget))
                                            : QUrl(ToQString(target->strTarget), QUrl::StrictMode);
    return QDesktopServices::openUrl(address);
}

std::optional<std::string> CQtUiServices::CacheFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(folder);
}

int CQtUiMetrics::ScrollBarWidth() const {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace gestalia
