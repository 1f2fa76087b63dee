#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The upload block commands, the picture sizes a model takes and the checks
// an animation file passes before anything is sent. The file's name goes
// into each command as its code page 1251 bytes; the block's bytes are
// already escaped.

// AT#PUMDL=<place>,"<name>",3,<number>,"<data>" CR LF.
std::string MelodyBlockCommand(const std::string& place, const std::string& name, long long number,
                               const std::string& escaped);

// AT#PMCDL=1,<size>,0,0,"<name>",<stamp>,<number>,"<data>" CR LF.
std::string PictureBlockCommand(const std::string& size, const std::string& name, const std::string& stamp,
                                long long number, const std::string& escaped);

struct AnimationFrames {
    long long count = 0;
    long long width = 0;
    long long height = 0;
};

// AT#PMIDL=<count>,<width>,<height>,1,3,0,0,"<name>",<number>,"<data>" CR,
// without LF.
std::string AnimationBlockCommand(const AnimationFrames& frames, const std::string& name, long long number,
                                  const std::string& escaped);

// The sizes offered for the model, as the box shows them ("640x480", ...):
// four for an SCH-E250, three for any other model.
std::vector<std::string> PictureSizeChoices(const std::string& model);
// The size sent for the chosen entry ("640,480", ...); "640,480" for an
// entry the model does not have.
std::string PictureSizeText(const std::string& model, int choice);

// A file over this size is sent only after the user confirms.
inline constexpr std::uint64_t PictureWarningSize = 65536;
bool PictureNeedsWarning(std::uint64_t fileSize);

// The 256-colour bitmap header in front of an animation's pixel bytes, and
// the most pixel bytes the phone takes.
inline constexpr std::uint64_t AnimationHeaderSize = 1078;
inline constexpr std::uint64_t AnimationPixelLimit = 65536;

// The number a typed text starts with: leading blanks, a sign and the digits
// that follow; 0 when it starts with none. "12a" is 12. Values beyond the
// pixel limit are held at one past it, which no file can match.
long long AnimationNumber(const std::string& text);

enum class AnimationCheck {
    Accepted,
    // More pixel bytes than the phone takes, whatever the frames say.
    TooLarge,
    // No pixel bytes, a count or size that is not a positive number, or
    // pixel bytes that are not count x width x height.
    Mismatch,
};
AnimationCheck CheckAnimation(std::uint64_t fileSize, const AnimationFrames& frames);
