#pragma once
class QApplication;
// The 宋体 9 pt look with a packaged CJK face behind it, and Chinese texts for Qt's own dialogs.
void prepareLookAndLanguage(QApplication& app);
