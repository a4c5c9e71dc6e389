// The main window's command that opens the editor on the controller's mqtt.json.
#include "editor/EditConfiguration.h"

#include <string>

#include "dialogs/MessageDialogs.h"
#include "editor/TFormJsonEditor.h"
#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "registry/ZOREN_OBJECT.h"

void EditConfiguration(QWidget* owner, ZOREN_OBJECT& controller) {
    fs1251::CreateDir(controller.Path);
    const std::string file = controller.Path + "/mqtt.json";
    if (!fs1251::FileExists(file)) {
        ShowErrorMessage(owner, std::string("Нет файла: "_w) + file, "Ошибка"_w);
        return;
    }
    TFormJsonEditor editor(owner, &controller);
    FormJsonEditor = &editor;
    editor.FilePath = file;
    editor.exec();
    FormJsonEditor = nullptr;
}
