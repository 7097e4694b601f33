#include "Localization.h"

#include <QFile>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "Bundle.h"

namespace {

struct Translation {
  bool chosen = false;
  std::unique_ptr<QTranslator> translator;  // none when there is no translation
};

Translation& Current() {
  static Translation translation;
  return translation;
}

std::unique_ptr<QTranslator> LoadFile(const QString& path) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(path)) return nullptr;
  return translator;
}

// The translation for the user's language, found once, on first use.
QTranslator* UserTranslation() {
  Translation& current = Current();
  if (!current.chosen) {
    current.chosen = true;
    const std::string resources = ResourcesFolder();
    auto translator = std::make_unique<QTranslator>();
    if (!resources.empty() &&
        translator->load(QLocale::system(), "quillbarrow", "_",
                         QFile::decodeName(QByteArray::fromStdString(resources + "/translations"))))
      current.translator = std::move(translator);
  }
  return current.translator.get();
}

}  // namespace

bool LoadTranslation(const std::string& qmFile) {
  Translation& current = Current();
  current.chosen = true;
  current.translator = LoadFile(QFile::decodeName(QByteArray::fromStdString(qmFile)));
  return current.translator != nullptr;
}

std::string GetLocalizedString(const std::string& key, const std::string& defaultText, const std::string& language) {
  if (!language.empty()) return defaultText;
  const QTranslator* translator = UserTranslation();
  if (!translator) return defaultText;
  const size_t dot = key.find('.');
  const std::string context = key.substr(0, dot);
  const std::string name = dot == std::string::npos ? std::string() : key.substr(dot + 1);
  const QString text =
      translator->translate(context.c_str(), defaultText.c_str(), name.empty() ? nullptr : name.c_str());
  return text.isEmpty() ? defaultText : text.toStdString();
}
