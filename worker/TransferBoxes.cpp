#include "worker/TransferBoxes.h"

#include <windows.h>

#include "common/AppMessages.h"
#include "common/PhoneMessages.h"
#include "db/Database.h"
#include "phone/PhoneBookRecord.h"

void ShowReadFailed(HWND frame)
{
    MessageBoxA(frame, PhoneMessages[PhoneExchangeFailed], AppMessages[AppCaption], MB_OK | MB_ICONERROR);
}

void ShowEraseFailed()
{
    MessageBoxA(nullptr, PhoneMessages[PhoneExchangeFailed], AppMessages[AppCaption], MB_YESNO | MB_ICONERROR);
}

void ShowDownloadFailed(const TextRow& row)
{
    const std::string text = "Не удалось получить с телефона файл " + (row.size() > 1 ? row[1] : std::string()) + "_" +
                             (row.empty() ? std::string() : row[0]) + ": телефон не закончил его передачу.";
    MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_OK | MB_ICONERROR);
}

void ShowDatabaseMessage()
{
    MessageBoxA(nullptr, TheDatabase().LastMessage().c_str(), AppMessages[AppCaption], MB_OK);
}

void ShowReadStopped(HWND frame, long long position)
{
    const std::string text = "Чтение с телефона прервано на позиции " + std::to_string(position) +
                             ": запись телефона не удалось разобрать.\nТаблица неполная: в ней только записи "
                             "до этой позиции.";
    MessageBoxA(frame, text.c_str(), AppMessages[AppCaption], MB_OK | MB_ICONERROR);
}

void ShowRowsRefused(long long refused, long long sent)
{
    const std::string text = "Телефон не подтвердил записей: " + std::to_string(refused) + " из " +
                             std::to_string(sent) + ".\nИх может не быть в телефоне; остальные записи записаны.";
    MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_OK | MB_ICONERROR);
}

void ShowInterrupted(StoppedWork work, long long done, long long total)
{
    const std::string counted = std::to_string(done) + (total > 0 ? " из " + std::to_string(total) : std::string());
    std::string text;
    UINT icon = MB_ICONINFORMATION;
    switch (work) {
    case StoppedWork::Read:
        text = "Чтение с телефона прервано: прочитано позиций " + counted +
               ".\nВ таблице только записи этих позиций.";
        break;
    case StoppedWork::Write:
        text = "Запись в телефон прервана: телефон принял записей: " + std::to_string(done) +
               ".\nВ телефоне теперь только эти записи.";
        icon = MB_ICONWARNING;
        break;
    case StoppedWork::WriteNotBegun: text = "Запись в телефон прервана до её начала: записи телефона не изменены."; break;
    case StoppedWork::Download:
        text = "Копирование файлов с телефона прервано: сохранено файлов " + counted +
               ".\nСохранены только файлы, полученные целиком.";
        break;
    case StoppedWork::Upload: text = "Загрузка файла в телефон прервана: телефон не сохранил файл."; break;
    }
    MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_OK | icon);
}

void ShowMediaNotSaved(const std::string& path)
{
    const std::string text = "Не удалось записать файл " + path + ".";
    MessageBoxA(nullptr, text.c_str(), AppMessages[AppCaption], MB_OK | MB_ICONERROR);
}

void ShowRowNotWritten(const TextRow& row)
{
    MessageBoxA(nullptr, RowDebugText(row).c_str(), "Отладка", MB_OK);
}

void ShowFileNotRead(const std::string& path)
{
    MessageBoxA(nullptr, path.c_str(), "Ошибка при чтении файла:", MB_OK);
}

void ShowUploadFailed(const char* text)
{
    MessageBoxA(nullptr, text, AppMessages[AppCaption], MB_OK | MB_ICONERROR);
}

bool AskLargePicture()
{
    return MessageBoxA(nullptr, PhoneMessages[LargePictureWarning], AppMessages[AppCaption], MB_YESNO | MB_ICONERROR) ==
           IDYES;
}

void ShowSmsNotSent()
{
    MessageBoxA(nullptr, PhoneMessages[PhoneExchangeFailed], AppMessages[AppCaption], MB_ICONWARNING | MB_OK);
}
