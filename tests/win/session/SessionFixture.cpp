#include "SessionFixture.h"

#include <mutex>

#include "app/SplashDialog.h"
#include "res/resource.h"
#include "serial/SerialPort.h"
#include "support/Registry.h"

const char* const Caption = "Сообщение программы VelarMon:";
const char* const InitFailed = "Ошибка инициализации телефона.";
const char* const ExchangeFailed =
    "Внимание! Произошла ошибка обмена данными с телефоном.\nПопробуйте повторить операцию.";
const char* const PortFailed =
    "Ошибка открытия порта.\nПроверьте соединение кабеля и установку драйверов или выберете другой порт.";
const std::vector<std::string> StartCommands = {"AT",        "ATE0V1",    "AT#PMODE=1", "AT#PCKEY?",
                                                "AT+GMM",    "AT#PCOUT?", "AT#PCLNK?",  "AT#PCMIT?",
                                                "AT#PUGSN?", "AT*SKT*BEEP=1"};

std::string SessionTest::databaseName;
std::string SessionTest::databaseFile;

namespace {
std::mutex visitsMutex;
}  // namespace

void SessionTest::SetUpTestSuite()
{
    // A copy of the program's database, so the tests never touch the original.
    const std::string folder = WindowsPath(UnixEnv("VELARMON_DB_DIR"));
    databaseName = "session_" + std::to_string(GetCurrentProcessId());
    databaseFile = folder + "\\" + databaseName + ".mdb";
    ASSERT_TRUE(CopyFileA((folder + "\\velarmon.mdb").c_str(), databaseFile.c_str(), FALSE)) << databaseFile;
    ASSERT_TRUE(TheDatabase().Connect(databaseName)) << TheDatabase().LastMessage();
}

void SessionTest::TearDownTestSuite()
{
    TheDatabase().Disconnect();
    DeleteFileA(databaseFile.c_str());
}

void SessionTest::SetUp()
{
    phoneSettings.commPort = 3;
    // A start that fails ends at the port dialog, cancelled unless a test
    // chooses a port.
    AnswerPortDialog(0);
}

void SessionTest::TearDown()
{
    TheSerialPort().Close();
    phones.clear();
    // A port saved here must not be what later tests of the prefix open.
    DeleteSettingsKey();
}

PhoneSimulator& SessionTest::Phone(const std::string& state, const std::vector<std::string>& rules, int port)
{
    PhoneSimOptions options;
    options.port = port;
    options.state = state;
    options.rules = rules;
    const std::string name = std::string("session-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             "-COM" + std::to_string(port);
    phones.push_back(std::make_unique<PhoneSimulator>(name, options));
    EXPECT_TRUE(phones.back()->Start()) << "the phone simulator did not start";
    return *phones.back();
}

void SessionTest::AnswerPortDialog(int choose)
{
    watcher.OnDialog([this, choose](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
        if (!list)
            return false;
        PortDialogVisit visit;
        visit.dialog = dialog;
        visit.owner = GetWindow(dialog, GW_OWNER);
        visit.ownerIsSplash = visit.owner && GetDlgItem(visit.owner, IDC_SPLASH_PROGRESS) != nullptr;
        visit.selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
        visit.count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
        {
            std::lock_guard<std::mutex> lock(visitsMutex);
            portVisits.push_back(visit);
        }
        if (choose > 0) {
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(choose - 1), 0);
            PressButton(dialog, IDOK);
        } else {
            PressButton(dialog, IDCANCEL);
        }
        return true;
    });
}

bool SessionTest::Start()
{
    startedMs = GetTickCount();
    const bool ready = StartSessionWithSplash(session);
    elapsedMs = GetTickCount() - startedMs;
    return ready;
}

RowSet SessionTest::Melodies()
{
    RowSet rows;
    EXPECT_TRUE(TheDatabase().SelectRows("musik", rows, "", "", "mus_id")) << TheDatabase().LastMessage();
    return rows;
}

std::vector<std::string> Describe(const std::vector<SeenWindow>& boxes)
{
    std::vector<std::string> lines;
    for (const SeenWindow& box : boxes)
        lines.push_back((box.caption == Caption ? "" : box.caption + "|") + box.text + "|" + box.icon);
    return lines;
}
