// The editor's texts in the user's language. The Japanese texts are the source; an English
// translation is used when the language that Qt reads from the environment (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG) is English. Under any other language, C or POSIX, every text stays Japanese.
#pragma once

#include <QString>
#include <string>

class QCoreApplication;

namespace pm {

// Installs the translation for the user's language, when there is one; true when it did.
bool InstallTranslation(QCoreApplication& application);

// A failure's message in the user's language: the messages of page files, pictures and number
// fields that the core raises in Japanese, with the file names and numbers they carry, byte for
// byte. A message that isn't one of them is shown as it is.
std::string TranslatedMessage(const std::string& message);

}  // namespace pm
