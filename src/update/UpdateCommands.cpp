#include "update/UpdateCommands.h"

#include <string>

#include "dialogs/MessageDialogs.h"
#include "platform/Cp1251.h"
#include "platform/HttpClient.h"
#include "update/TFormAbout.h"
#include "update/TFormUpgrade.h"
#include "update/TFormUpgradeLoad.h"
#include "update/UpdateServer.h"

namespace {

constexpr std::string_view kCheckFailed = "Не удалось проверить обновление..."_w;

// Destroys the window held in a form variable and clears it, however the command ends.
template <typename Form>
struct FormHolder {
    Form*& form;
    ~FormHolder() {
        delete form;
        form = nullptr;
    }
};

}  // namespace

std::string CheckForUpdate(QWidget* owner, bool quiet) {
    if (FormUpgrade) return {};

    THttpResult reply;
    {
        THttpClient http;
        reply = http.Get(UpdateFileUrl("release_r.txt"));
    }
    if (reply.status >= 400) {
        ShowErrorMessage(owner, std::string("Не удалось получить историю версий...\n"_w) + reply.statusLine,
                         "Ошибка"_w);
        return std::string(kCheckFailed);
    }
    if (reply.body.empty()) {
        ShowErrorMessage(owner, "Не удалось получить историю версий..."_w, "Ошибка"_w);
        return std::string(kCheckFailed);
    }

    FILE_VERSION latest;
    int result = 0;
    {
        FormUpgrade = new TFormUpgrade(owner);
        FormHolder<TFormUpgrade> holder{FormUpgrade};
        const int count = ParseReleaseHistory(FormUpgrade, reply.body);
        reply.body.clear();
        if (count == 0) {
            delete FormUpgrade;
            FormUpgrade = nullptr;
            if (!quiet) ShowInfoMessage(owner, "Обновление не требуется..."_w, "Внимание"_w);
            return std::string("Установлена последняя версия ПО..."_w);
        }
        result = FormUpgrade->exec();
        latest = FormUpgrade->LatestVersion;
    }
    if (result != QDialog::Accepted) return std::string("Есть обновление ПО..."_w);

    // A window left open by an earlier failed download gives way to the new one.
    if (FormUpgradeLoad) FormUpgradeLoad->close();
    auto* load = new TFormUpgradeLoad(owner);
    FormUpgradeLoad = load;
    load->SetTargetVersion(std::to_string(latest.Major) + "." + std::to_string(latest.Minor));
    load->show();
    load->DownloadAndRun();
    return {};
}

void ShowAboutBox(QWidget* owner) {
    FormAbout = new TFormAbout(owner);
    FormHolder<TFormAbout> holder{FormAbout};
    FormAbout->exec();
}
