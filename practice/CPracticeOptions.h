#pragma once

#include "CTileSet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command line of pivolo-entrainement: a given game to start on (--draw and --target,
// for a teacher who sets one puzzle to a class), --help and --version. Options of one dash
// that are not its own are the toolkit's (-platform xcb, -reverse...) and are left to it.
class CPracticeOptions
{
public:
    enum class EAction
    {
        Run,
        Help,
        Version,
        // The command line is wrong: m_error says why.
        Refuse,
    };

    struct SGivenGame
    {
        CTileSet::Draw tiles{};
        std::int32_t nTarget = 0;
    };

    static constexpr std::int32_t TARGET_MIN = 0;
    static constexpr std::int32_t TARGET_MAX = 999;
    // The exit status of a wrong command line.
    static constexpr int STATUS_REFUSED = 2;

    static CPracticeOptions Parse(const std::vector<std::string_view>& arguments);

    // The text of --help, for the program of that name.
    static std::string HelpText(std::string_view program);

    EAction m_eAction = EAction::Run;
    std::optional<SGivenGame> m_game;
    std::string m_error;

private:
    static std::optional<std::int32_t> ReadTarget(std::string_view text);
    // Takes the value of --draw or --target: "--draw=X", or the next argument.
    static std::optional<std::string_view> TakeValue(const std::vector<std::string_view>& arguments,
                                                     std::size_t& i, std::string_view name);
};
