#include "SessionFixture.h"
#include "app/Application.h"
#include "app/SplashDialog.h"
#include "serial/SerialPort.h"
#include "support/Registry.h"

namespace {
const char* const E250 =
    R"({"model": "SCH-E250", "key": "01234", "melodies": [{"id": 1, "size": 2436, "name": "Весна"},
       {"id": 2, "size": 1890, "name": "Полёт шмеля"}, {"id": 7, "size": 10, "name": "Morning"}]})";

std::string Joined(const std::vector<std::string>& commands)
{
    std::string all;
    for (const std::string& c : commands)
        all += c + "\r\n";
    return all;
}
}  // namespace

TEST_F(SessionTest, ANormalStartSendsTheTenCommandsAndFillsTheSession)
{
    PhoneSimulator& phone = Phone(E250);
    ASSERT_TRUE(Start());
    EXPECT_EQ(phone.Commands(), StartCommands);
    EXPECT_EQ(phone.Received(), Joined(StartCommands));
    EXPECT_EQ(session.ModelName, "SCH-E250");
    EXPECT_EQ(session.PhoneKey, 1234);
    EXPECT_EQ(session.Description, "Samsung SCH-E250, порт COM3.");
    EXPECT_TRUE(watcher.Seen().empty()) << watcher.Seen().front().text;
    EXPECT_TRUE(TheSerialPort().IsOpen());
    const RowSet melodies = Melodies();
    ASSERT_EQ(melodies.size(), 3u);
    EXPECT_EQ(melodies[0], (TextRow{"1", "Весна\r"}));
    EXPECT_EQ(melodies[1], (TextRow{"2", "Полёт шмеля\r"}));
    EXPECT_EQ(melodies[2], (TextRow{"7", "Morning\r"}));
    // The phone is given a second to settle before the first command.
    EXPECT_GT(elapsedMs, 1000u);
}

TEST_F(SessionTest, TheMelodyListReplacesWhatTheTableHeld)
{
    TextRow old{"9", "old"};
    ASSERT_EQ(TheDatabase().InsertRow("musik", old), 1);
    Phone(R"({"melodies": [{"id": 3, "name": "Only"}]})");
    ASSERT_TRUE(Start());
    const RowSet melodies = Melodies();
    ASSERT_EQ(melodies.size(), 1u);
    EXPECT_EQ(melodies[0], (TextRow{"3", "Only\r"}));
}

TEST_F(SessionTest, ASilentPhoneLeadsAfterEightSecondsToTwoMessagesAndThePortDialog)
{
    PhoneSimulator& phone = Phone("{}", {"silence AT"});
    EXPECT_FALSE(Start());
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(Describe(boxes), (std::vector<std::string>{std::string(InitFailed) + "|warning",
                                                         std::string(PortFailed) + "|error"}));
    EXPECT_NEAR(static_cast<double>(boxes[0].tick - startedMs), 9000.0, 1000.0);
    ASSERT_EQ(portVisits.size(), 1u);
    EXPECT_TRUE(portVisits[0].ownerIsSplash);
    EXPECT_EQ(portVisits[0].selected, 2);
    EXPECT_EQ(phone.Commands(), std::vector<std::string>{"AT"});
    EXPECT_FALSE(TheSerialPort().IsOpen());
    EXPECT_EQ(phoneSettings.commPort, 3);
}

TEST_F(SessionTest, APortChosenAfterAFailureIsOpenedSavedAndDescribed)
{
    DeleteSettingsKey();
    CreateApplication(GetModuleHandleA(nullptr));
    Phone("{}", {"silence AT"});
    PhoneSimulator& twelve = Phone(R"({"model": "SCH-E250"})", {}, 12);
    AnswerPortDialog(12);
    // The program's session, on the application's settings.
    PhoneSession appSession(notices, TheApp->settings.phone);
    const bool ready = StartSessionWithSplash(appSession);
    const int port = TheApp->settings.phone.commPort;
    DestroyApplication();
    ASSERT_TRUE(ready);
    EXPECT_EQ(port, 12);
    EXPECT_EQ(ReadSetting("CommPort"), 12u);
    EXPECT_EQ(appSession.Description, "Samsung SCH-E250, порт COM12.");
    EXPECT_EQ(twelve.Commands(), StartCommands);
    EXPECT_EQ(Describe(watcher.Boxes()), (std::vector<std::string>{std::string(InitFailed) + "|warning",
                                                                   std::string(PortFailed) + "|error"}));
}

TEST_F(SessionTest, APortThatDoesNotOpenGoesStraightToThePortError)
{
    phoneSettings.commPort = 40;  // mapped to nothing in the test prefix
    EXPECT_FALSE(Start());
    EXPECT_EQ(Describe(watcher.Boxes()), std::vector<std::string>{std::string(PortFailed) + "|error"});
    EXPECT_LT(elapsedMs, 3000u);
    ASSERT_EQ(portVisits.size(), 1u);
    EXPECT_EQ(portVisits[0].selected, 39);
    EXPECT_EQ(portVisits[0].count, 99);
}

TEST_F(SessionTest, APortThatRefusesTheLineSettingsSaysSoBeforeThePortError)
{
    phoneSettings.commPort = 16;  // a link to nothing: Wine opens it, but it takes no line settings
    EXPECT_FALSE(Start());
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "ERROR");
    EXPECT_EQ(boxes[0].text, "Set comm state error.");
    EXPECT_EQ(boxes[0].icon, "none");
    EXPECT_EQ(boxes[1].text, PortFailed);
}

TEST_F(SessionTest, AnErrorToTheEchoSettingOnlyWarns)
{
    PhoneSimulator& phone = Phone(R"({"model": "SCH-E120"})", {"error ATE0V1"});
    ASSERT_TRUE(Start());
    EXPECT_EQ(Describe(watcher.Boxes()), std::vector<std::string>{std::string(InitFailed) + "|warning"});
    EXPECT_EQ(phone.Commands(), StartCommands);
    EXPECT_EQ(session.Description, "Samsung SCH-E120, порт COM3.");
}

TEST_F(SessionTest, AKeyReplyWithoutItsPrefixEndsTheStartSilently)
{
    session.PhoneKey = 77;
    PhoneSimulator& phone = Phone("{}", {"raw,data=\\r\\nOK\\r\\n AT#PCKEY?"});
    EXPECT_FALSE(Start());
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_EQ(phone.Commands(), (std::vector<std::string>{"AT", "ATE0V1", "AT#PMODE=1", "AT#PCKEY?"}));
    EXPECT_EQ(session.PhoneKey, 77);
}

TEST_F(SessionTest, KeyDigitsBeyondSevenAreDropped)
{
    Phone(R"({"key": "123456789"})");
    ASSERT_TRUE(Start());
    EXPECT_EQ(session.PhoneKey, 1234567);
}

TEST_F(SessionTest, AModelReplyWithoutItsPrefixLeavesTheModelEmpty)
{
    session.ModelName = "old";
    Phone("{}", {"raw,data=\\r\\nOK\\r\\n AT+GMM"});
    ASSERT_TRUE(Start());
    EXPECT_EQ(session.ModelName, "");
    EXPECT_EQ(session.Description, "Samsung , порт COM3.");
}

TEST_F(SessionTest, AFailedMelodyListIsReportedAndRestartsTheStart)
{
    PhoneSimulator& phone = Phone("{}", {"error AT#PUGSN?"});
    EXPECT_FALSE(Start());
    EXPECT_EQ(Describe(watcher.Boxes()),
              (std::vector<std::string>{std::string(ExchangeFailed) + "|warning", std::string(InitFailed) + "|warning",
                                        std::string(PortFailed) + "|error"}));
    EXPECT_EQ(phone.Commands().back(), "AT#PUGSN?");
}

TEST_F(SessionTest, AMelodyReplyWithoutItsPrefixKeepsTheOldListAndIsReported)
{
    TextRow old{"9", "old"};
    ASSERT_EQ(TheDatabase().InsertRow("musik", old), 1);
    Phone("{}", {"raw,data=\\r\\nOK\\r\\n AT#PUGSN?"});
    EXPECT_FALSE(Start());
    EXPECT_EQ(Describe(watcher.Boxes()).front(), std::string(ExchangeFailed) + "|warning");
    EXPECT_EQ(Melodies(), (RowSet{{"9", "old"}}));
}

TEST_F(SessionTest, LongMelodyNamesAreCutAndARefusedRowShowsTheDatabaseMessage)
{
    const std::string longName(40, 'n');
    // Commas in a raw answer are escaped in the rule.
    Phone("{}", {"raw,data=\\r\\n#PUGSN:\\s3\\r\\n4\\,1\\," + longName +
                     "\\r\\n4\\,1\\,again\\r\\n5\\,1\\,never\\r\\n\\r\\nOK\\r\\n AT#PUGSN?"});
    ASSERT_TRUE(Start());
    const RowSet melodies = Melodies();
    ASSERT_EQ(melodies.size(), 1u);
    EXPECT_EQ(melodies[0], (TextRow{"4", std::string(31, 'n')}));
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, Caption);
    EXPECT_EQ(boxes[0].icon, "none");
    EXPECT_EQ(boxes[0].text, TheDatabase().LastMessage());
    EXPECT_FALSE(boxes[0].text.empty());
}

