// The skin engine: the built-in skin is the Fusion style; the other skins are
// the installed Qt styles and the .qss style sheets of the skin folder.
// Names and folders are 1251 texts, as the settings keep them.
#pragma once

#include <QObject>
#include <string>
#include <vector>

class QMenu;
class QWidget;

class TSkinManager final : public QObject {
    Q_OBJECT
public:
    // Name of the built-in skin, the default.
    static constexpr const char* BuiltInSkin = "Fusion";

    explicit TSkinManager(QObject* parent = nullptr);

    const std::string& SkinName() const { return skinName_; }
    const std::string& SkinDirectory() const { return skinDirectory_; }
    void SetSkinDirectory(std::string folder);
    // Applies the skin. A name that no longer names a skin shows the built-in
    // look but is kept, so the user's choice survives a missing skin file.
    void SetSkinName(std::string name);
    // The built-in skin first, then the other Qt styles, then the .qss files of the skin folder.
    std::vector<std::string> SkinNames() const;
    // The skin-selection menu, filled afresh each time it opens.
    QMenu* MakeSkinMenu(QWidget* parent);

private:
    std::string skinName_ = BuiltInSkin;
    std::string skinDirectory_;
};
