#include "qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace vargis::qt {

namespace {

// The type column of Qt's file dialog names folders and drives through a
// context that Qt's Russian catalogue lacks; these words are given here.
class FileTypeTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (context == nullptr || sourceText == nullptr ||
            std::strcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        struct Word {
            const char* english;
            const char* russian;
        };
        static constexpr Word kWords[] = {
            {"Folder", "Папка"},    {"File Folder", "Папка"}, {"Drive", "Диск"},
            {"Alias", "Ссылка"},    {"Shortcut", "Ярлык"},    {"Directory", "Папка"},
            {"%1 File", "Файл %1"}, {"File", "Файл"},
        };
        for (const Word& word : kWords)
            if (std::strcmp(sourceText, word.english) == 0)
                return QString::fromUtf8(word.russian);
        return {};
    }
};

} // namespace

bool installRussianQtTranslations(QCoreApplication& app) {
    // Dates, month names and file kinds in Qt's widgets follow the default
    // locale: Russian, as the interface.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // Asked after Qt's catalogue, which leaves these words untranslated.
    QCoreApplication::installTranslator(new FileTypeTranslator(&app));
    // Owned by the application, so it lives as long as the texts are shown.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace vargis::qt
