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

std::optional<std::string> StandardCacheFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(folder);
}

}  // namespace

CQtUiServices::CQtUiServices(IModalAnswers* answers)
    : CUiServicesBase(StandardCacheFolder()), m_pAnswers(answers) {}

int CQtUiServices::RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) {
    CQtDialogWindow window(tmpl, handler, QApplication::activeModalWidget());
    return window.RunModal();
}

std::optional<int> CQtUiServices::ShowMessageBox(const CMessageBoxSpec& box) {
    if (m_pAnswers != nullptr) {
        return m_pAnswers->MessageBox(box.strText, box.strCaption, box.buttons, box.icon,
                                      box.defaultButton);
    }
    QMessageBox shown(ToQtIcon(box.icon), ToQString(box.strCaption), ToQString(box.strText),
                      QMessageBox::NoButton, QApplication::activeModalWidget());
    // The buttons in order with our own words, each with the answer it gives:
    // Qt's standard buttons would speak whatever its translations say.
    std::vector<std::pair<QPushButton*, int>> answers;
    for (const CChoice& choice : box.choices) {
        answers.emplace_back(shown.addButton(ToQString(choice.strText), ButtonRole(choice.nAnswer)),
                             choice.nAnswer);
    }
    for (const auto& [button, answer] : answers) {
        if (answer == box.nDefault) {
            shown.setDefaultButton(button);
        }
        if (answer == box.nEscape) {
            shown.setEscapeButton(button);
        }
    }
    shown.exec();
    const auto* clicked = shown.clickedButton();
    for (const auto& [button, answer] : answers) {
        if (clicked == button) {
            return answer;
        }
    }
    return std::nullopt;
}

std::optional<std::string> CQtUiServices::ChooseFile(const CFileDialogSpec& spec, bool bSave) {
    if (m_pAnswers != nullptr) {
        return bSave ? m_pAnswers->GetSaveFileName(spec) : m_pAnswers->GetOpenFileName(spec);
    }
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

bool CQtUiServices::OpenTarget(const COpenTarget& target) {
    // The address goes to the desktop as one URL; nothing interprets it as a command.
    const QUrl address = target.bLocalFile ? QUrl::fromLocalFile(ToQString(target.strTarget))
                                           : QUrl(ToQString(target.strTarget), QUrl::StrictMode);
    return QDesktopServices::openUrl(address);
}

int CQtUiMetrics::ScrollBarWidth() const {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace gestalia
