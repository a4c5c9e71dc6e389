// The two context-menu commands that move a controller's configuration
// document between the controller and its mqtt.json.
#pragma once

class QWidget;
struct ZOREN_OBJECT;

// "Прочитать конфигурацию ...": POST, then the reply becomes mqtt.json.
void ReadConfiguration(QWidget* owner, const ZOREN_OBJECT& controller);
// "Записать  конфигурацию ...": PUT of mqtt.json, then the controller's verdict.
void PutConfiguration(QWidget* owner, const ZOREN_OBJECT& controller);
