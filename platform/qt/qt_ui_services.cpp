#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QStyle>
#include <QUrl>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/modal_choices.h"
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

QMessageBox::ButtonRole ButtonRole(int answer) {
    switch (answer) {
        case IDYES:
            return QMessageBox::YesRole;
        case IDNO:
            return QMessageBox::NoRole;
        case IDCANCEL:
            return QMessageBox::RejectRole;
        default:
            return QMessageBox::AcceptRole;
    }
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
    // The buttons in order with our own words, each with the answer it gives:
    // Qt's standard buttons would speak whatever its translations say.
    std::vector<std::pair<QPushButton*, int>> answers;
    for (const CChoice& choice : MessageChoices(buttons)) {
        answers.emplace_back(box.addButton(ToQString(choice.strText), ButtonRole(choice.nAnswer)),
                             choice.nAnswer);
    }
    const int defaultAnswer = DefaultAnswer(buttons, defaultButton);
    const int escapeAnswer = EscapeAnswer(buttons);
    for (const auto& [button, answer] : answers) {
        if (answer == defaultAnswer) {
            box.setDefaultButton(button);
        }
        if (answer == escapeAnswer) {
            box.setEscapeButton(button);
        }
    }
    box.exec();
    const auto* clicked = box.clickedButton();
    for (const auto& [button, answer] : answers) {
        if (clicked == button) {
            return answer;
        }
    }
    return escapeAnswer;
}

std::optional<std::string> CQtUiServices::RunFileDialog(const CFileDialogSpec& spec, bool bSave) {
    QFileDialog dialog(QApplication::activeModalWidget(), ToQString(spec.strTitle));
    QStringList filters;
    for (const CFileFilter& filter : spec.filters) {
        filters << ToQString(FilterLabel(filter));
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
    // After the modes, which set the dialog's own words again.
    const CFileDialogWords words = FileDialogWords(bSave);
    dialog.setLabelText(QFileDialog::Accept, ToQString(words.strAccept));
    dialog.setLabelText(QFileDialog::Reject, ToQString(words.strCancel));
    dialog.setLabelText(QFileDialog::LookIn, ToQString(words.strLookIn));
    dialog.setLabelText(QFileDialog::FileName, ToQString(words.strFileName));
    dialog.setLabelText(QFileDialog::FileType, ToQString(words.strFileType));
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) {
            cancel->setText(ToQString(words.strCancel));
        }
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
