#include "exchange/ConfigTransfer.h"

void ReadConfiguration(QWidget*, const ZOREN_OBJECT&) {}
void PutConfiguration(QWidget*, const ZOREN_OBJECT&) {}
