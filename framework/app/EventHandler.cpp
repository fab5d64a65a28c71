#include "app/EventHandler.h"

long EventHandler::onInit(Surface*, Panel*, Application*) { return 0; }
long EventHandler::onExit() { return 0; }
long EventHandler::onNextFrame(Surface*, Panel*) { return 0; }
long EventHandler::onMinimize() { return 0; }
long EventHandler::onRestore() { return 0; }
long EventHandler::onKeyDown(unsigned long, KeyList&) { return 0; }
long EventHandler::onKeyUp(unsigned long, KeyList&) { return 0; }
long EventHandler::onStylusDown(tagPOINT) { return 0; }
long EventHandler::onStylusUp(tagPOINT) { return 0; }
long EventHandler::onStylusDblClk(tagPOINT) { return 0; }
long EventHandler::onStylusMove(tagPOINT) { return 0; }
