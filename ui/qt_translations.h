#pragma once

class QObject;

namespace qytxt::ui {

// Puts Qt's own texts (file dialogs, their questions, the edit fields' context menu) into Chinese,
// the language of every other text of the program, whatever the system's language, and formats
// sizes and dates the Chinese way. The translations live as long as `owner`. False when they are
// not installed.
bool installChineseQtTranslations(QObject* owner);

} // namespace qytxt::ui
