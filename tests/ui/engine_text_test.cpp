#include "engine_text.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vitayear::ui;

class EngineTextTest : public QObject {
  Q_OBJECT

 private slots:
  void textsSurviveTheRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("ascii") << QStringLiteral("45 years");
    QTest::newRow("cyrillic") << QStringLiteral("Олена Коваль");
    QTest::newRow("emoji") << QStringLiteral("Ann 😀🏃‍♀️");
    QTest::newRow("right to left marks") << QStringLiteral("\u200Fשלום\u200E Ann");
    QTest::newRow("control characters") << QStringLiteral("a\u0001\u0007\t\r\nb\u007F");
    QTest::newRow("NUL inside") << QString(QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b"));
    QTest::newRow("lone high surrogate") << QString(QChar(u'\xD83D')) + QStringLiteral("Ann");
    QTest::newRow("lone low surrogate at the end") << QStringLiteral("Ann") + QChar(u'\xDE00');
    QTest::newRow("two high surrogates") << QString(QChar(u'\xD800')) + QChar(u'\xD801');
    QTest::newRow("noncharacters") << QStringLiteral("\uFFFE\uFFFF\U0010FFFF");
  }
  void textsSurviveTheRoundTrip() {
    QFETCH(QString, text);
    QCOMPARE(FromEngineText(ToEngineText(text)), text);
  }

  void validTextIsPlainUtf8() {
    const QString text = QStringLiteral("Досягніть ваги 😀");
    QCOMPARE(QByteArray::fromStdString(ToEngineText(text)), text.toUtf8());
  }

  void randomUnitsSurviveTheRoundTrip() {
    QRandomGenerator random(20261208);
    for (int round = 0; round < 2000; ++round) {
      QString text;
      const int length = random.bounded(12);
      for (int i = 0; i < length; ++i) text += QChar(static_cast<char16_t>(random.bounded(0x10000)));
      QCOMPARE(FromEngineText(ToEngineText(text)), text);
    }
  }

  void brokenBytesBecomeReplacementCharacters_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString r{QChar(QChar::ReplacementCharacter)};
    QTest::newRow("stray continuation") << QByteArray(
                                               "a\x80"
                                               "b")
                                        << QStringLiteral("a") + r + "b";
    QTest::newRow("cut sequence") << QByteArray("a\xD0") << QStringLiteral("a") + r;
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << r + r;
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << r + r + r;
    QTest::newRow("bytes no UTF-8 uses") << QByteArray("\xFF\xF8\x80\x80\x80") << r + r + r + r + r;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << r + r + r + r;
  }
  void brokenBytesBecomeReplacementCharacters() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(FromEngineText(std::string_view(bytes.constData(), std::size_t(bytes.size()))), text);
  }
};

QTEST_APPLESS_MAIN(EngineTextTest)
#include "engine_text_test.moc"
