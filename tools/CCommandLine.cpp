#include "CCommandLine.h"

#include "CConsole.h"

#include <getopt.h>

#include <algorithm>

namespace
{
bool IsNegativeNumber(std::string_view argument)
{
    return argument.size() > 1 && argument[0] == '-' &&
           std::all_of(argument.begin() + 1, argument.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}
} // namespace

CCommandLine::CCommandLine(std::vector<SOption> options, ENegativeNumbers negatives)
    : m_options(std::move(options)), m_negatives(negatives)
{
}

std::vector<std::size_t> CCommandLine::LongMatches(std::string_view name) const
{
    std::vector<std::size_t> matches;
    for (std::size_t n = 0; n < m_options.size(); ++n)
    {
        const std::string_view word = m_options[n].pszLong;
        if (word == name)
            return {n};
        if (word.substr(0, name.size()) == name)
            matches.push_back(n);
    }
    return matches;
}

bool CCommandLine::TakesNextArgument(std::string_view argument) const
{
    if (argument.size() > 2 && argument.substr(0, 2) == "--")
    {
        if (argument.find('=') != std::string_view::npos)
            return false;
        const std::vector<std::size_t> matches = LongMatches(argument.substr(2));
        return matches.size() == 1 && m_options[matches[0]].bValue;
    }
    if (argument.size() < 2 || argument[0] != '-')
        return false;
    // A group of short options: the first that takes a value takes the rest of the group.
    for (std::size_t i = 1; i < argument.size(); ++i)
    {
        const auto option = std::find_if(m_options.begin(), m_options.end(),
                                         [&](const SOption& o)
                                         { return o.cShort != 0 && o.cShort == argument[i]; });
        if (option != m_options.end() && option->bValue)
            return i == argument.size() - 1;
    }
    return false;
}

void CCommandLine::ComplainOfOption(std::string_view argument, int nOptopt,
                                    bool bMissingValue) const
{
    // A short option is named by getopt (optopt), which may not have moved past its group.
    const bool bLong = nOptopt == 0 && argument.substr(0, 2) == "--" && argument.size() > 2;
    const std::string name =
        bLong ? std::string(argument.substr(0, argument.find('=')))
              : std::string("-") + static_cast<char>(nOptopt != 0 ? nOptopt : '?');
    if (bMissingValue)
    {
        CConsole::Complain("option '" + name + "' needs a value");
        return;
    }
    if (!bLong)
    {
        CConsole::Complain("unknown option '" + name + "'");
        return;
    }
    const std::vector<std::size_t> matches = LongMatches(name.substr(2));
    if (matches.size() == 1)
    {
        CConsole::Complain("option '--" + std::string(m_options[matches[0]].pszLong) +
                           "' takes no value");
        return;
    }
    if (matches.empty())
    {
        CConsole::Complain("unknown option '" + name + "'");
        return;
    }
    std::string candidates;
    for (const std::size_t n : matches)
        candidates += (candidates.empty() ? "--" : ", --") + std::string(m_options[n].pszLong);
    CConsole::Complain("ambiguous option '" + name + "': " + candidates);
}

bool CCommandLine::Read(int argc, char** argv, const OnOption& onOption)
{
    // getopt_long would take "-1" for an option: negative numbers are hidden from it behind
    // stand-ins, found again among the operands.
    std::vector<char*> args(argv, argv + argc);
    std::vector<std::string> standIns;
    standIns.reserve(static_cast<std::size_t>(argc));
    std::vector<std::pair<const char*, const char*>> hidden;
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i)
    {
        if (m_negatives == ENegativeNumbers::AreOperands && IsNegativeNumber(argv[i]) &&
            !TakesNextArgument(argv[i - 1]))
        {
            standIns.emplace_back(std::string("N") + argv[i]);
            args[static_cast<std::size_t>(i)] = standIns.back().data();
            hidden.emplace_back(args[static_cast<std::size_t>(i)], argv[i]);
        }
    }
    args.push_back(nullptr);

    std::string shortOptions = ":";
    std::vector<option> longOptions;
    for (std::size_t n = 0; n < m_options.size(); ++n)
    {
        const SOption& o = m_options[n];
        const int nValue = static_cast<int>(n) + 256;
        longOptions.push_back(
            {o.pszLong, o.bValue ? required_argument : no_argument, nullptr, nValue});
        if (o.cShort != 0)
            shortOptions += std::string(1, o.cShort) + (o.bValue ? ":" : "");
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});

    opterr = 0;
    optind = 0;
    for (int nOption; (nOption = getopt_long(argc, args.data(), shortOptions.c_str(),
                                             longOptions.data(), nullptr)) != -1;)
    {
        const std::string_view word = args[static_cast<std::size_t>(optind - 1)];
        if (nOption == '?' || nOption == ':')
        {
            ComplainOfOption(word, optopt >= 256 ? 0 : optopt, nOption == ':');
            return false;
        }
        std::size_t nIndex = static_cast<std::size_t>(nOption - 256);
        if (nOption < 256)
        {
            nIndex = static_cast<std::size_t>(std::find_if(m_options.begin(), m_options.end(),
                                                           [&](const SOption& o)
                                                           { return o.cShort == nOption; }) -
                                              m_options.begin());
        }
        if (!onOption(nIndex, optarg ? optarg : ""))
            return false;
    }
    for (int i = optind; i < argc; ++i)
    {
        const char* pszOperand = args[static_cast<std::size_t>(i)];
        for (const auto& [pszStandIn, pszOriginal] : hidden)
        {
            if (pszOperand == pszStandIn)
                pszOperand = pszOriginal;
        }
        m_operands.emplace_back(pszOperand);
    }
    return true;
}
