// "Редактировать конфигурацию ...": opens the configuration editor on the
// controller's mqtt.json, or reports the missing file.
#pragma once

class QWidget;
struct ZOREN_OBJECT;

void EditConfiguration(QWidget* owner, ZOREN_OBJECT& controller);
