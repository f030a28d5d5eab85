#include "CPracticeOptions.h"

#include <charconv>

namespace
{
bool IsOption(std::string_view argument, std::string_view shortName, std::string_view longName)
{
    // No value joined to the short name: the toolkit's -display would read as -d isplay.
    return argument == shortName || argument == longName ||
           (argument.starts_with(longName) && argument.size() > longName.size() &&
            argument[longName.size()] == '=');
}

std::string Quoted(std::string_view text)
{
    return "« " + std::string(text) + " »";
}
} // namespace

std::optional<std::int32_t> CPracticeOptions::ReadTarget(std::string_view text)
{
    std::int32_t nTarget = 0;
    const auto [pEnd, error] = std::from_chars(text.data(), text.data() + text.size(), nTarget);
    if (text.empty() || text.front() == '-' || error != std::errc() ||
        pEnd != text.data() + text.size() || nTarget < TARGET_MIN || nTarget > TARGET_MAX)
        return std::nullopt;
    return nTarget;
}

std::optional<std::string_view>
CPracticeOptions::TakeValue(const std::vector<std::string_view>& arguments, std::size_t& i,
                            std::string_view name)
{
    const std::string_view argument = arguments[i];
    if (argument.size() > name.size())
        return argument.substr(name.size() + 1);
    if (i + 1 == arguments.size())
        return std::nullopt;
    return arguments[++i];
}

CPracticeOptions CPracticeOptions::Parse(const std::vector<std::string_view>& arguments)
{
    CPracticeOptions options;
    auto refuse = [&options](std::string message)
    {
        options.m_eAction = EAction::Refuse;
        options.m_error = std::move(message);
        return options;
    };
    std::optional<CTileSet::Draw> draw;
    std::optional<std::int32_t> target;
    for (std::size_t i = 1; i < arguments.size(); ++i)
    {
        const std::string_view argument = arguments[i];
        // As GNU tools do: help or the version at once, whatever follows.
        if (argument == "-h" || argument == "--help" || argument == "--version")
        {
            options.m_eAction = argument == "--version" ? EAction::Version : EAction::Help;
            return options;
        }
        if (IsOption(argument, "-d", "--draw"))
        {
            const std::optional<std::string_view> value = TakeValue(arguments, i, "--draw");
            if (!value)
                return refuse("--draw attend six plaques");
            draw = CTileSet::ReadDraw(*value);
            if (!draw)
                return refuse(Quoted(*value) +
                              " n'est pas un tirage de six plaques du jeu (1 à 10, 25, 50, 75 "
                              "et 100, chacune deux fois au plus)");
        }
        else if (IsOption(argument, "-t", "--target"))
        {
            const std::optional<std::string_view> value = TakeValue(arguments, i, "--target");
            if (!value)
                return refuse("--target attend un compte à trouver");
            target = ReadTarget(*value);
            if (!target)
                return refuse(Quoted(*value) + " n'est pas un compte à trouver de 0 à 999");
        }
        else if (argument.starts_with("--"))
            return refuse("option inconnue " + Quoted(argument));
        else if (argument.starts_with('-') && argument.size() > 1)
        {
            // The toolkit's option, and its value if one follows: this program takes no
            // operand of its own.
            if (i + 1 < arguments.size() && !arguments[i + 1].starts_with('-'))
                ++i;
        }
        else
            return refuse("argument inattendu " + Quoted(argument));
    }
    if (draw.has_value() != target.has_value())
        return refuse("--draw et --target vont ensemble");
    if (draw)
        options.m_game = SGivenGame{*draw, *target};
    return options;
}

std::string CPracticeOptions::HelpText(std::string_view program)
{
    const std::string name(program);
    return "Usage : " + name +
           " [--draw A,B,C,D,E,F --target T]\n"
           "Entraînement au pivolo : un tirage, un compte à trouver contre la montre, votre\n"
           "réponse jugée, puis les solutions les plus simples. La fenêtre est en français.\n"
           "\n"
           "  -d, --draw PLAQUES   commencer sur ce tirage : six plaques du jeu (1 à 10, 25,\n"
           "                       50, 75 et 100, chacune deux fois au plus), séparées par\n"
           "                       des virgules ou des blancs\n"
           "  -t, --target T       et ce compte à trouver, de 0 à 999 (avec --draw)\n"
           "  -h, --help           afficher cette aide et quitter\n"
           "      --version        afficher la version et quitter\n"
           "\n"
           "Codes de retour : 0 la fenêtre a été fermée, 1 aucun affichage graphique,\n"
           "2 ligne de commande incorrecte. Voir aussi man " +
           name + ".\n";
}
