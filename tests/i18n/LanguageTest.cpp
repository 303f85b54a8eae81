// SPDX-License-Identifier: MIT
#include "BattleWindowTexts.h"
#include "GameLanguage.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include <set>

namespace {

using Language = GameLanguage::Language;

// The %1..%9 of a text, as a sorted set.
std::set<QString> placeholders(const QString& text)
{
    std::set<QString> found;
    static const QRegularExpression marker(QStringLiteral("%[1-9]"));
    for (const auto& m : marker.globalMatch(text))
        found.insert(m.captured());
    return found;
}

// An accelerator: & before a character other than & and space.
bool hasAccelerator(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("&[^& ]"));
    return text.contains(marker);
}

struct Message {
    QString context, source, translation;
    bool finished = true;
};

QList<Message> readTs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = Message{context, {}, {}, true};
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            current.finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            current.translation = xml.readElementText();
            messages << current;
        }
    }
    return xml.hasError() ? QList<Message>{} : messages;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void chosenFromTheUiLanguages_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<int>("expected");
        QTest::newRow("Japanese") << QStringList{"ja-JP", "ja"} << int(GameLanguage::Japanese);
        QTest::newRow("English") << QStringList{"en-GB", "en"} << int(GameLanguage::English);
        QTest::newRow("another language") << QStringList{"de-DE", "de"} << int(GameLanguage::English);
        QTest::newRow("Japanese as a fallback") << QStringList{"fr", "ja"} << int(GameLanguage::Japanese);
        QTest::newRow("English before Japanese") << QStringList{"en", "ja"} << int(GameLanguage::English);
        QTest::newRow("underscore form") << QStringList{"ja_JP"} << int(GameLanguage::Japanese);
        QTest::newRow("C locale") << QStringList{"C"} << int(GameLanguage::Japanese);
        QTest::newRow("POSIX") << QStringList{"POSIX"} << int(GameLanguage::Japanese);
        QTest::newRow("nothing") << QStringList{} << int(GameLanguage::Japanese);
    }
    void chosenFromTheUiLanguages()
    {
        QFETCH(QStringList, languages);
        QFETCH(int, expected);
        QCOMPARE(int(GameLanguage::fromUiLanguages(languages)), expected);
    }

    void optionNames()
    {
        QCOMPARE(GameLanguage::fromName(QStringLiteral("ja")), std::optional(GameLanguage::Japanese));
        QCOMPARE(GameLanguage::fromName(QStringLiteral("EN")), std::optional(GameLanguage::English));
        QVERIFY(!GameLanguage::fromName(QStringLiteral("fr")));
        QVERIFY(!GameLanguage::fromName(QString()));
    }

    void japaneseBattleTextsAreTheBattlesOwn()
    {
        QVERIFY(GameLanguage::install(GameLanguage::Japanese));
        QCOMPARE(GameLanguage::current(), GameLanguage::Japanese);
        const BattleTexts own;
        const BattleTexts shown = TranslatedBattleTexts();
        const std::string BattleTexts::*fields[] = {
            &BattleTexts::EnemySighted, &BattleTexts::TurretTurning, &BattleTexts::TurretArrived,
            &BattleTexts::Fire,         &BattleTexts::ShellLanded,   &BattleTexts::Hit,
            &BattleTexts::Sunk,         &BattleTexts::HeavyDamage,   &BattleTexts::ModerateDamage,
            &BattleTexts::LightDamage,  &BattleTexts::Loaded,        &BattleTexts::TimeLeft,
            &BattleTexts::Score,        &BattleTexts::QuitQuestion,  &BattleTexts::QuitTitle};
        for (auto field : fields)
            QCOMPARE(shown.*field, own.*field);
    }

    void englishComesFromTheBuiltFile()
    {
        QVERIFY(GameLanguage::install(GameLanguage::English));
        QCOMPARE(GameLanguage::current(), GameLanguage::English);
        QVERIFY(GameLanguage::standardButtonsTranslated());
        const BattleTexts english = TranslatedBattleTexts();
        QCOMPARE(FillTemplate(english.EnemySighted, {"5"}), std::string("Enemy ship sighted at 5 o'clock!"));
        QCOMPARE(FillTemplate(english.TurretTurning, {"7", "30", "45"}),
                 std::string("Turret training to 7h30m, elevation 45°!"));
        QCOMPARE(FillTemplate(english.Hit, {english.Sunk}), std::string("Hit! Enemy ship sunk!"));
        QVERIFY(GameLanguage::install(GameLanguage::Japanese));
        QCOMPARE(TranslatedBattleTexts().Fire, BattleTexts().Fire);
    }

    void everyTranslationKeepsItsNumbersAndAccelerators()
    {
        const QList<Message> messages = readTs(QStringLiteral(MORTAVEL_TS_FOLDER "/mortavel_en.ts"));
        QVERIFY(messages.size() > 50);
        for (const Message& m : messages) {
            const QString where = m.context + QLatin1String(": ") + m.source;
            QVERIFY2(m.finished && !m.translation.isEmpty(), qPrintable(where));
            QVERIFY2(placeholders(m.source) == placeholders(m.translation), qPrintable(where));
            QVERIFY2(hasAccelerator(m.source) == hasAccelerator(m.translation), qPrintable(where));
            QVERIFY2(m.source.count(QLatin1Char('\n')) == m.translation.count(QLatin1Char('\n')),
                     qPrintable(where));
        }
    }

    void everyJapaneseTextIsMarkedForTranslation()
    {
        // Japanese that is not shown as a text of the game: font faces, the
        // name stored for an empty entry, the grid's column widths, the
        // captions used only when Qt's own translation is missing.
        const QStringList notShown = {
            QStringLiteral("ＭＳ Ｐゴシック"),
            QStringLiteral("名無し少尉"),
            QStringLiteral("はい(&Y)"),
            QStringLiteral("いいえ(&N)"),
            QStringLiteral("キャンセル"),
            QStringLiteral(
                "<順位|<得点　　　　|<名前　　　　　　　　　　　|<日時　　　　　　　　　　　　　　　")};
        static const QRegularExpression japanese(
            QStringLiteral("[\\x{3001}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
        static const QRegularExpression literal(QStringLiteral("\"(?:[^\"\\\\\\n]|\\\\.)*\""));
        static const QRegularExpression marked(QStringLiteral(
            "(\\btr|translate|QT_TRANSLATE_NOOP|QT_TR_NOOP)\\s*\\(\\s*(\"[^\"]*\"\\s*,\\s*)?$"));
        static const QRegularExpression comment(QStringLiteral("//[^\n]*"));
        QStringList unmarked;
        QDirIterator files(QStringLiteral(MORTAVEL_GAME_FOLDER),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            // The battle's own defaults are compared with their translation above.
            if (path.endsWith(QLatin1String("/battle/BattleTexts.h")))
                continue;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString source = QString::fromUtf8(file.readAll()).remove(comment);
            for (const auto& m : literal.globalMatch(source)) {
                const QString text = m.captured().mid(1, m.capturedLength() - 2);
                if (!text.contains(japanese) || notShown.contains(text))
                    continue;
                const QString before = source.left(m.capturedStart()).right(120).trimmed();
                // The second half of "..." "..." belongs to the first.
                if (before.endsWith(QLatin1Char('"')) || before.contains(marked))
                    continue;
                unmarked << QDir(QStringLiteral(MORTAVEL_GAME_FOLDER)).relativeFilePath(path)
                        + QLatin1String(": ") + text;
            }
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(QLatin1Char('\n'))));
    }

    void commandLineOption()
    {
        QProcess game;
        game.start(QStringLiteral(MORTAVEL_PROGRAM), {QStringLiteral("--language"), QStringLiteral("fr")});
        QVERIFY(game.waitForFinished(20000));
        QCOMPARE(game.exitCode(), 2);
        QVERIFY(game.readAllStandardError().contains("ja or en"));

        game.start(QStringLiteral(MORTAVEL_PROGRAM), {QStringLiteral("--help")});
        QVERIFY(game.waitForFinished(20000));
        QCOMPARE(game.exitCode(), 0);
        QVERIFY(game.readAllStandardOutput().contains("--language <ja|en>"));
    }
};

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LanguageTest.moc"
