#include "dialogs/MessageDialogs.h"

#include <QLabel>
#include <QPushButton>
#include <memory>

#include "dialogs/TFOkDialog.h"
#include "dialogs/TMessageForm.h"
#include "dialogs/WindowText.h"

namespace {

void ShowMessageForm(QWidget* owner, std::string_view text, std::string_view caption, bool isError) {
    auto form = std::make_unique<TMessageForm>(owner);
    MessageForm = form.get();
    form->setWindowTitle(ToQString(caption));
    form->Panel1->setText(ToQString(text));
    form->sBitBtn->setIcon(form->sAlphaImageList1[isError ? 1 : 0]);
    form->sBitBtn->setText(ToQString(isError ? "  Закрыть"_w : "  ОK"_w));
    form->exec();
    form.reset();
    MessageForm = nullptr;
}

}  // namespace

void ShowInfoMessage(QWidget* owner, std::string_view text, std::string_view caption) {
    ShowMessageForm(owner, text, caption, false);
}

void ShowErrorMessage(QWidget* owner, std::string_view text, std::string_view caption) {
    ShowMessageForm(owner, text, caption, true);
}

bool AskConfirmation(QWidget* owner, std::string_view question, std::string_view caption) {
    auto dialog = std::make_unique<TFOkDialog>(owner);
    FOkDialog = dialog.get();
    dialog->sPanel1->setText(ToQString(question));
    dialog->setWindowTitle(ToQString(caption));
    bool yes = dialog->exec() == QDialog::Accepted;
    dialog.reset();
    FOkDialog = nullptr;
    return yes;
}
