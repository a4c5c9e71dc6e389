// The two transfer commands of the main window: HTTP exchange, the mqtt.json
// file and the messages that report them.
#include "exchange/ConfigTransfer.h"

#include <string>

#include "dialogs/MessageDialogs.h"
#include "exchange/ConfigExchange.h"
#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"
#include "registry/ZOREN_OBJECT.h"

namespace {

void SetCredentials(THttpClient& client, const ZOREN_OBJECT& controller) {
    if (controller.Login.empty()) return;  // a password alone is never sent
    client.Login = controller.Login;
    client.Password = controller.Password;
}

// A file fault names the file: the system's text alone does not say which one.
std::string FileErrorText(const std::string& file, const std::string& error) { return file + ": " + error; }

}  // namespace

void ReadConfiguration(QWidget* owner, const ZOREN_OBJECT& controller) {
    THttpClient client;
    SetCredentials(client, controller);
    const THttpResult reply = client.Post(ConfigurationUrl(controller.Ip), std::string());
    if (!reply) {
        ShowErrorMessage(owner, reply.error, "Ошибка"_w);
        return;
    }

    // The file is written before success is reported, and atomically, so that
    // a failed write neither claims success nor leaves half a document.
    fs1251::CreateDirs(controller.Path);
    const std::string file = ConfigurationFile(controller.Path);
    std::string error;
    if (!fs1251::WriteFileAtomic(file, reply.body, error)) {
        ShowErrorMessage(owner, FileErrorText(file, error), "Ошибка"_w);
        return;
    }
    ShowInfoMessage(owner, "Успешно прочитано"_w, "Внимание"_w);
}

void PutConfiguration(QWidget* owner, const ZOREN_OBJECT& controller) {
    fs1251::CreateDirs(controller.Path);
    const std::string file = ConfigurationFile(controller.Path);
    if (!fs1251::FileExists(file)) {
        ShowErrorMessage(owner, std::string("Нет файла: "_w) + file, "Ошибка"_w);
        return;
    }
    std::string document, error;
    if (!fs1251::ReadWholeFile(file, document, error)) {
        ShowErrorMessage(owner, FileErrorText(file, error), "Ошибка"_w);
        return;
    }

    THttpClient client;
    SetCredentials(client, controller);
    const THttpResult reply = client.Put(ConfigurationUrl(controller.Ip), document);
    if (!reply) {
        ShowErrorMessage(owner, reply.error, "Ошибка"_w);
        return;
    }
    ShowInfoMessage(owner, WriteVerdictText(reply.body), "Внимание"_w);
}
