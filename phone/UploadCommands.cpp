#include "phone/UploadCommands.h"

#include <iterator>

#include "common/Decimal.h"

namespace {
struct PictureSize {
    const char* shown;
    const char* sent;
};
const PictureSize E250Sizes[] = {{"640x480", "640,480"}, {"320x240", "320,240"}, {"176x150", "176,150"},
                                 {"160x120", "160,120"}};
const PictureSize OtherSizes[] = {{"640x480", "640,480"}, {"320x240", "320,240"}, {"176x168", "176,168"}};

bool IsE250(const std::string& model)
{
    return model == "SCH-E250";
}
}  // namespace

std::string MelodyBlockCommand(const std::string& place, const std::string& name, long long number,
                               const std::string& escaped)
{
    return "AT#PUMDL=" + place + ",\"" + name + "\",3," + std::to_string(number) + ",\"" + escaped + "\"\r\n";
}

std::string PictureBlockCommand(const std::string& size, const std::string& name, const std::string& stamp,
                                long long number, const std::string& escaped)
{
    return "AT#PMCDL=1," + size + ",0,0,\"" + name + "\"," + stamp + "," + std::to_string(number) + ",\"" +
           escaped + "\"\r\n";
}

std::string AnimationBlockCommand(const AnimationFrames& frames, const std::string& name, long long number,
                                  const std::string& escaped)
{
    return "AT#PMIDL=" + std::to_string(frames.count) + "," + std::to_string(frames.width) + "," +
           std::to_string(frames.height) + ",1,3,0,0,\"" + name + "\"," + std::to_string(number) + ",\"" +
           escaped + "\"\r";
}

std::vector<std::string> PictureSizeChoices(const std::string& model)
{
    std::vector<std::string> shown;
    if (IsE250(model)) {
        for (const PictureSize& size : E250Sizes)
            shown.emplace_back(size.shown);
    } else {
        for (const PictureSize& size : OtherSizes)
            shown.emplace_back(size.shown);
    }
    return shown;
}

std::string PictureSizeText(const std::string& model, int choice)
{
    if (choice < 0)
        return "640,480";
    const auto index = static_cast<std::size_t>(choice);
    if (IsE250(model))
        return index < std::size(E250Sizes) ? E250Sizes[index].sent : "640,480";
    return index < std::size(OtherSizes) ? OtherSizes[index].sent : "640,480";
}

bool PictureNeedsWarning(std::uint64_t fileSize)
{
    return fileSize > PictureWarningSize;
}

long long AnimationNumber(const std::string& text)
{
    constexpr long long Beyond = static_cast<long long>(AnimationPixelLimit) + 1;
    const long long value = ReadDecimal(text);
    return value > Beyond ? Beyond : value < -Beyond ? -Beyond : value;
}

AnimationCheck CheckAnimation(std::uint64_t fileSize, const AnimationFrames& frames)
{
    if (fileSize > AnimationHeaderSize + AnimationPixelLimit)
        return AnimationCheck::TooLarge;
    if (fileSize <= AnimationHeaderSize || frames.count <= 0 || frames.width <= 0 || frames.height <= 0)
        return AnimationCheck::Mismatch;
    // Each factor is at most one past the limit, so the product cannot overflow.
    const long long pixels = static_cast<long long>(fileSize - AnimationHeaderSize);
    return pixels == frames.count * frames.width * frames.height ? AnimationCheck::Accepted
                                                                   : AnimationCheck::Mismatch;
}
