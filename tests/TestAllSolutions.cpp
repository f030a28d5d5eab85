// pivolo-solve --all, checked from its text: every solution printed is checked by an
// evaluator of its own, and the solutions of each value are compared, one for one, with a
// plain reference that builds every expression over every group of tiles.

#include "CBatchGame.h"
#include "CGameLine.h"
#include "CTilePool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Int64 = long long;
constexpr Int64 kMax32 = 2147483647;

// ---------------------------------------------------------------------------------------
// The reference: forms as text keys, built bottom-up from every step of two forms.

// The rules of a step, written out plainly: nothing negative, nothing beyond 32 bits, no
// product with 1, divisions exact.
std::optional<Int64> Step(char cOperator, Int64 a, Int64 b)
{
    Int64 r = -1;
    switch (cOperator)
    {
    case '+':
        r = a + b;
        break;
    case '-':
        r = a - b;
        break;
    case 'x':
        if (a == 1 || b == 1)
            return std::nullopt;
        r = a * b;
        break;
    case '/':
        if (b == 0 || a % b != 0)
            return std::nullopt;
        r = a / b;
        break;
    }
    if (r < 0 || r > kMax32)
        return std::nullopt;
    return r;
}

// A canonical form: a tile, or a sum (product) of terms added (factors multiplied) and terms
// taken away (factors divided), each a child form that is not a sum (product) itself.
struct RForm
{
    char cKind = 't'; // 't' tile, 's' sum, 'p' product
    Int64 nValue = 0;
    std::vector<std::pair<std::string, Int64>> up;
    std::vector<std::pair<std::string, Int64>> down;
    std::string key;
    // Whether some sum or product within holds a detour (only for forms of any way).
    bool bDetour = false;
};

void MakeKey(RForm& form)
{
    if (form.cKind == 't')
    {
        form.key = std::to_string(form.nValue);
        return;
    }
    std::sort(form.up.begin(), form.up.end());
    std::sort(form.down.begin(), form.down.end());
    form.key = form.cKind == 's' ? "S(" : "P(";
    for (const auto& child : form.up)
        form.key += child.first + ",";
    form.key += ";";
    for (const auto& child : form.down)
        form.key += child.first + ",";
    form.key += ")";
}

RForm Tile(Int64 nValue)
{
    RForm form;
    form.nValue = nValue;
    MakeKey(form);
    return form;
}

// Whether some terms added and some taken away (factors multiplied and divided), not all of
// both, weigh the same.
bool HasDetour(const RForm& form)
{
    const std::size_t nUp = form.up.size();
    const std::size_t nDown = form.down.size();
    for (std::size_t p = 1; p < (std::size_t{1} << nUp); ++p)
    {
        for (std::size_t n = 1; n < (std::size_t{1} << nDown); ++n)
        {
            if (p == (std::size_t{1} << nUp) - 1 && n == (std::size_t{1} << nDown) - 1)
                continue;
            const bool bSum = form.cKind == 's';
            Int64 a = bSum ? 0 : 1;
            Int64 b = bSum ? 0 : 1;
            for (std::size_t i = 0; i < nUp; ++i)
                if (p >> i & 1)
                    a = bSum ? a + form.up[i].second : a * form.up[i].second;
            for (std::size_t i = 0; i < nDown; ++i)
                if (n >> i & 1)
                    b = bSum ? b + form.down[i].second : b * form.down[i].second;
            if (a == b)
                return true;
        }
    }
    return false;
}

// The form of x op y. Without bClean, any legal step; with it, nothing when the step
// changes nothing or the form gets a detour.
std::optional<RForm> Combine(const RForm& x, char cOperator, const RForm& y, bool bClean = true)
{
    const std::optional<Int64> r = Step(cOperator, x.nValue, y.nValue);
    if (!r || (bClean && (*r == x.nValue || *r == y.nValue)))
        return std::nullopt;
    RForm form;
    form.nValue = *r;
    form.cKind = cOperator == '+' || cOperator == '-' ? 's' : 'p';
    const bool bInverse = cOperator == '-' || cOperator == '/';
    auto add = [&](const RForm& child, bool bDown)
    {
        if (child.cKind == form.cKind)
        {
            for (const auto& c : child.up)
                (bDown ? form.down : form.up).push_back(c);
            for (const auto& c : child.down)
                (bDown ? form.up : form.down).push_back(c);
        }
        else
            (bDown ? form.down : form.up).emplace_back(child.key, child.nValue);
    };
    add(x, false);
    add(y, bInverse);
    form.bDetour = x.bDetour || y.bDetour || HasDetour(form);
    if (bClean && form.bDetour)
        return std::nullopt;
    MakeKey(form);
    return form;
}

struct RInfo
{
    RForm form;
    Int64 nLargest = 0;
};

struct RSolutions
{
    std::set<Int64> reachable;
    // For each value asked for: each solution's key and its smallest largest step result.
    std::map<Int64, std::map<std::string, Int64>> solutions;
};

// Every clean way over every group of tile positions, groups with the same tiles once.
RSolutions Reference(const std::vector<Int64>& tiles, const std::set<Int64>& wanted)
{
    const int n = static_cast<int>(tiles.size());
    const int nFull = (1 << n) - 1;
    std::map<std::vector<Int64>, std::map<std::string, RInfo>> byTiles;
    std::vector<std::vector<Int64>> tilesOf(static_cast<std::size_t>(nFull + 1));
    RSolutions result;
    for (int m = 1; m <= nFull; ++m)
    {
        for (int i = 0; i < n; ++i)
            if (m >> i & 1)
                tilesOf[static_cast<std::size_t>(m)].push_back(tiles[static_cast<std::size_t>(i)]);
        std::sort(tilesOf[static_cast<std::size_t>(m)].begin(),
                  tilesOf[static_cast<std::size_t>(m)].end());
    }
    std::vector<int> masks;
    for (int m = 1; m <= nFull; ++m)
        masks.push_back(m);
    std::stable_sort(masks.begin(), masks.end(),
                     [](int a, int b) { return __builtin_popcount(a) < __builtin_popcount(b); });
    for (int m : masks)
    {
        const auto& key = tilesOf[static_cast<std::size_t>(m)];
        if (byTiles.count(key))
            continue;
        auto& forms = byTiles[key];
        if (__builtin_popcount(m) == 1)
        {
            RInfo info{Tile(key[0]), 0};
            forms.emplace(info.form.key, info);
        }
        const int nLow = m & -m;
        for (int a = (m - 1) & m; a > 0; a = (a - 1) & m)
        {
            if (!(a & nLow))
                continue;
            const auto& left = byTiles.at(tilesOf[static_cast<std::size_t>(a)]);
            const auto& right = byTiles.at(tilesOf[static_cast<std::size_t>(m ^ a)]);
            for (const auto& [kx, x] : left)
            {
                for (const auto& [ky, y] : right)
                {
                    for (auto [p, q, c] : {std::tuple{&x, &y, '+'}, std::tuple{&x, &y, '-'},
                                           std::tuple{&y, &x, '-'}, std::tuple{&x, &y, 'x'},
                                           std::tuple{&x, &y, '/'}, std::tuple{&y, &x, '/'}})
                    {
                        std::optional<RForm> f = Combine(p->form, c, q->form);
                        if (!f)
                            continue;
                        // The whole set of tiles is needed only for the values asked for.
                        if (m == nFull && !wanted.count(f->nValue))
                        {
                            result.reachable.insert(f->nValue);
                            continue;
                        }
                        const Int64 nLargest = std::max({p->nLargest, q->nLargest, f->nValue});
                        auto [it, bNew] = forms.try_emplace(f->key, RInfo{*f, nLargest});
                        if (!bNew)
                            it->second.nLargest = std::min(it->second.nLargest, nLargest);
                    }
                }
            }
        }
        for (const auto& [k, info] : forms)
        {
            result.reachable.insert(info.form.nValue);
            if (wanted.count(info.form.nValue))
            {
                auto [it, bNew] = result.solutions[info.form.nValue].try_emplace(k, info.nLargest);
                if (!bNew)
                    it->second = std::min(it->second, info.nLargest);
            }
        }
    }
    return result;
}

// ---------------------------------------------------------------------------------------
// The evaluator: reads the text of --all and checks each solution on its own.

struct EStep
{
    Int64 nResult, a, b;
    char cOperator;
    bool operator==(const EStep&) const = default;
};

// An expression read with x and / before + and -, left to right.
class CExpressionReader
{
public:
    explicit CExpressionReader(const std::string& text) : m_text(text) {}

    // The form of the expression (with every step checked legal and clean), its steps in
    // the order they are worked out, the tiles it uses.
    bool Read(RForm& form, std::vector<EStep>& steps, std::vector<Int64>& tiles)
    {
        m_pSteps = &steps;
        m_pTiles = &tiles;
        m_bOk = true;
        form = Sum();
        Blanks();
        return m_bOk && m_nPos == m_text.size();
    }

private:
    void Blanks()
    {
        while (m_nPos < m_text.size() && m_text[m_nPos] == ' ')
            ++m_nPos;
    }
    char Peek()
    {
        Blanks();
        return m_nPos < m_text.size() ? m_text[m_nPos] : '\0';
    }
    RForm Apply(const RForm& x, char c, const RForm& y)
    {
        std::optional<RForm> f = Combine(x, c, y);
        if (!f)
        {
            ADD_FAILURE() << "not a clean step: " << x.nValue << ' ' << c << ' ' << y.nValue
                          << " in " << m_text;
            m_bOk = false;
            return x;
        }
        m_pSteps->push_back({f->nValue, x.nValue, y.nValue, c});
        return *f;
    }
    RForm Sum()
    {
        RForm x = Product();
        while (m_bOk && (Peek() == '+' || Peek() == '-'))
        {
            const char c = m_text[m_nPos++];
            x = Apply(x, c, Product());
        }
        return x;
    }
    RForm Product()
    {
        RForm x = Atom();
        while (m_bOk && (Peek() == 'x' || Peek() == '/'))
        {
            const char c = m_text[m_nPos++];
            x = Apply(x, c, Atom());
        }
        return x;
    }
    RForm Atom()
    {
        if (Peek() == '(')
        {
            ++m_nPos;
            RForm x = Sum();
            if (Peek() != ')')
                m_bOk = false;
            ++m_nPos;
            return x;
        }
        std::size_t nEnd = m_nPos;
        while (nEnd < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[nEnd])))
            ++nEnd;
        if (nEnd == m_nPos)
        {
            m_bOk = false;
            return Tile(0);
        }
        const Int64 v = std::stoll(m_text.substr(m_nPos, nEnd - m_nPos));
        m_nPos = nEnd;
        m_pTiles->push_back(v);
        return Tile(v);
    }

    std::string m_text;
    std::size_t m_nPos = 0;
    bool m_bOk = true;
    std::vector<EStep>* m_pSteps = nullptr;
    std::vector<Int64>* m_pTiles = nullptr;
};

struct EValue
{
    Int64 nValue = 0;
    std::string side; // "target", "above", "below"
    bool bReached = false;
    Int64 nCount = 0;
    std::vector<std::pair<std::string, Int64>> solutions; // key, largest
};

struct EGame
{
    std::vector<std::string> list; // the dialog's lines, as listed
    std::string stdoutLine;
    int nResult = -1;
    Int64 nReached = -1;
    std::vector<EValue> values;
};

// Reads and checks one game's text: every solution's steps legal and clean, the tiles as
// given at most, the steps those of the expression, the value the one announced.
EGame Evaluate(const std::string& text, const std::vector<Int64>& tiles)
{
    EGame game;
    std::istringstream in(text);
    std::string line;
    std::vector<std::string> block;
    auto takeSolution =
        [&](EValue& value, const std::string& head, const std::vector<std::string>& body)
    {
        Int64 nNumber = 0, nSteps = 0, nLargest = 0;
        ASSERT_EQ(std::sscanf(head.c_str(), "solution: %lld steps: %lld largest: %lld", &nNumber,
                              &nSteps, &nLargest),
                  3)
            << head;
        EXPECT_EQ(nNumber, static_cast<Int64>(value.solutions.size()) + 1);
        ASSERT_EQ(static_cast<Int64>(body.size()), nSteps + 1) << head;
        std::vector<EStep> printed;
        for (Int64 i = 0; i < nSteps; ++i)
        {
            EStep s{};
            ASSERT_EQ(std::sscanf(body[static_cast<std::size_t>(i)].c_str(),
                                  "step: %lld\t= %lld %c %lld", &s.nResult, &s.a, &s.cOperator,
                                  &s.b),
                      4)
                << body[static_cast<std::size_t>(i)];
            printed.push_back(s);
        }
        const std::string& last = body.back();
        const std::string prefix = "expression: ";
        ASSERT_EQ(last.rfind(prefix, 0), 0u) << last;
        const std::string suffix = " = " + std::to_string(value.nValue);
        ASSERT_GT(last.size(), prefix.size() + suffix.size());
        ASSERT_EQ(last.substr(last.size() - suffix.size()), suffix) << last;
        RForm form;
        std::vector<EStep> steps;
        std::vector<Int64> used;
        ASSERT_TRUE(CExpressionReader(
                        last.substr(prefix.size(), last.size() - prefix.size() - suffix.size()))
                        .Read(form, steps, used))
            << last;
        EXPECT_EQ(form.nValue, value.nValue) << last;
        EXPECT_EQ(steps, printed) << last;
        Int64 nMax = 0;
        for (const EStep& s : steps)
            nMax = std::max(nMax, s.nResult);
        EXPECT_EQ(nMax, nLargest) << last;
        std::multiset<Int64> given(tiles.begin(), tiles.end());
        for (Int64 t : used)
        {
            const auto it = given.find(t);
            ASSERT_NE(it, given.end()) << "tile " << t << " used too often: " << last;
            given.erase(it);
        }
        value.solutions.emplace_back(form.key, nLargest);
    };
    std::vector<std::string> lines;
    while (std::getline(in, line))
        lines.push_back(line);
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        const std::string& l = lines[i];
        if (l.rfind("list: ", 0) == 0)
            game.list.push_back(l.substr(6));
        else if (l.rfind("stdout: ", 0) == 0)
            game.stdoutLine = l.substr(8);
        else if (l.rfind("result: ", 0) == 0)
            EXPECT_EQ(
                std::sscanf(l.c_str(), "result: %d reached: %lld", &game.nResult, &game.nReached),
                2);
        else if (l.rfind("value: ", 0) == 0)
        {
            EValue value;
            char szSide[16] = {};
            char szReached[16] = {};
            const int n =
                std::sscanf(l.c_str(), "value: %lld %15s %15s", &value.nValue, szSide, szReached);
            EXPECT_TRUE(n == 2 || (n == 3 && std::string(szReached) == "reached")) << l;
            value.side = szSide;
            value.bReached = n == 3 || value.side == "target";
            EXPECT_TRUE(value.side == "target" || value.side == "above" || value.side == "below");
            ++i;
            EXPECT_EQ(std::sscanf(lines[i].c_str(), "solutions: %lld", &value.nCount), 1);
            game.values.push_back(value);
        }
        else if (l.rfind("solution: ", 0) == 0)
        {
            std::vector<std::string> body;
            while (i + 1 < lines.size() && (lines[i + 1].rfind("step: ", 0) == 0 ||
                                            lines[i + 1].rfind("expression: ", 0) == 0))
            {
                body.push_back(lines[++i]);
                if (body.back().rfind("expression: ", 0) == 0)
                    break;
            }
            EXPECT_FALSE(game.values.empty());
            if (!game.values.empty())
                takeSolution(game.values.back(), l, body);
        }
        else
            EXPECT_TRUE(l.rfind("game: ", 0) == 0) << "unknown line: " << l;
    }
    return game;
}

// ---------------------------------------------------------------------------------------
// The dialog's path, its pointless steps dropped.

int g_nDialogDetours = 0;

// A form with its children whole, for the dialog's path, which may need to lose a detour.
struct TNode
{
    char cKind = 't';
    Int64 nValue = 0;
    std::vector<TNode> up;
    std::vector<TNode> down;
};

std::string Key(const TNode& node)
{
    if (node.cKind == 't')
        return std::to_string(node.nValue);
    std::vector<std::string> up;
    std::vector<std::string> down;
    for (const TNode& c : node.up)
        up.push_back(Key(c));
    for (const TNode& c : node.down)
        down.push_back(Key(c));
    std::sort(up.begin(), up.end());
    std::sort(down.begin(), down.end());
    std::string key = node.cKind == 's' ? "S(" : "P(";
    for (const std::string& k : up)
        key += k + ",";
    key += ";";
    for (const std::string& k : down)
        key += k + ",";
    return key + ")";
}

// Children of the node's own kind merged into it; a node of one part is that part; a node
// of two parts whose value is one of them (4 - 2 = 2) is that one.
void Normalize(TNode& node)
{
    if (node.cKind == 't')
        return;
    std::vector<TNode> up;
    std::vector<TNode> down;
    auto take = [&](TNode child, bool bDown)
    {
        Normalize(child);
        if (child.cKind == node.cKind)
        {
            for (TNode& c : child.up)
                (bDown ? down : up).push_back(std::move(c));
            for (TNode& c : child.down)
                (bDown ? up : down).push_back(std::move(c));
        }
        else
            (bDown ? down : up).push_back(std::move(child));
    };
    for (TNode& c : node.up)
        take(std::move(c), false);
    for (TNode& c : node.down)
        take(std::move(c), true);
    node.up = std::move(up);
    node.down = std::move(down);
    if (node.up.size() == 1 && node.down.empty())
    {
        TNode only = std::move(node.up[0]);
        node = std::move(only);
        return;
    }
    if (node.up.size() + node.down.size() == 2)
    {
        std::vector<TNode> both = node.up;
        both.insert(both.end(), node.down.begin(), node.down.end());
        for (TNode& c : both)
        {
            if (c.nValue == node.nValue)
            {
                TNode same = std::move(c);
                node = std::move(same);
                return;
            }
        }
    }
}

// Every form the node becomes by taking one detour out of it, anywhere.
void LessDetours(const TNode& node, std::vector<TNode>& out)
{
    if (node.cKind == 't')
        return;
    const std::size_t nUp = node.up.size();
    const std::size_t nDown = node.down.size();
    const bool bSum = node.cKind == 's';
    for (std::size_t p = 1; p < (std::size_t{1} << nUp); ++p)
    {
        for (std::size_t n = 1; n < (std::size_t{1} << nDown); ++n)
        {
            if (p == (std::size_t{1} << nUp) - 1 && n == (std::size_t{1} << nDown) - 1)
                continue;
            Int64 a = bSum ? 0 : 1;
            Int64 b = bSum ? 0 : 1;
            TNode rest = node;
            rest.up.clear();
            rest.down.clear();
            for (std::size_t i = 0; i < nUp; ++i)
            {
                if (p >> i & 1)
                    a = bSum ? a + node.up[i].nValue : a * node.up[i].nValue;
                else
                    rest.up.push_back(node.up[i]);
            }
            for (std::size_t i = 0; i < nDown; ++i)
            {
                if (n >> i & 1)
                    b = bSum ? b + node.down[i].nValue : b * node.down[i].nValue;
                else
                    rest.down.push_back(node.down[i]);
            }
            if (a != b)
                continue;
            Normalize(rest);
            out.push_back(std::move(rest));
        }
    }
    for (int nSide = 0; nSide < 2; ++nSide)
    {
        const auto& children = nSide == 0 ? node.up : node.down;
        for (std::size_t i = 0; i < children.size(); ++i)
        {
            std::vector<TNode> less;
            LessDetours(children[i], less);
            for (TNode& c : less)
            {
                TNode changed = node;
                (nSide == 0 ? changed.up : changed.down)[i] = std::move(c);
                Normalize(changed);
                out.push_back(std::move(changed));
            }
        }
    }
}

std::optional<TNode> TCombine(const TNode& x, char cOperator, const TNode& y)
{
    const std::optional<Int64> r = Step(cOperator, x.nValue, y.nValue);
    if (!r)
        return std::nullopt;
    TNode node;
    node.nValue = *r;
    node.cKind = cOperator == '+' || cOperator == '-' ? 's' : 'p';
    node.up.push_back(x);
    (cOperator == '-' || cOperator == '/' ? node.down : node.up).push_back(y);
    Normalize(node);
    return node;
}

// The forms the dialog's path may stand for (operands equal in value may be either one),
// each step that changes nothing replaced by the operand it gives back.
void DialogForms(std::vector<TNode> available, const std::vector<EStep>& steps, std::size_t i,
                 Int64 nValue, std::vector<TNode>& out)
{
    if (i == steps.size())
    {
        for (const TNode& f : available)
            if (f.nValue == nValue)
                out.push_back(f);
        return;
    }
    const EStep& s = steps[i];
    for (std::size_t a = 0; a < available.size(); ++a)
    {
        for (std::size_t b = 0; b < available.size(); ++b)
        {
            if (a == b || available[a].nValue != s.a || available[b].nValue != s.b)
                continue;
            std::vector<TNode> next;
            for (std::size_t k = 0; k < available.size(); ++k)
                if (k != a && k != b)
                    next.push_back(available[k]);
            if (s.nResult == s.a)
                next.push_back(available[a]);
            else if (s.nResult == s.b)
                next.push_back(available[b]);
            else
            {
                std::optional<TNode> f = TCombine(available[a], s.cOperator, available[b]);
                if (!f)
                    continue;
                next.push_back(*f);
            }
            DialogForms(next, steps, i + 1, nValue, out);
        }
    }
}

// Whether some reading of the dialog's path, its detours taken out one by one in some
// order, is one of the solutions listed.
bool DialogPathListed(const std::vector<Int64>& tiles, const std::vector<EStep>& steps,
                      Int64 nValue, const std::set<std::string>& listed)
{
    std::vector<TNode> start;
    for (Int64 t : tiles)
        start.push_back(TNode{'t', t, {}, {}});
    std::vector<TNode> queue;
    DialogForms(start, steps, 0, nValue, queue);
    std::set<std::string> seen;
    for (std::size_t i = 0; i < queue.size() && seen.size() < 5000; ++i)
    {
        const std::string key = Key(queue[i]);
        if (!seen.insert(key).second)
            continue;
        if (listed.count(key))
        {
            if (i > 0)
                ++g_nDialogDetours;
            return true;
        }
        // A copy: the queue grows, and may move what it holds.
        const TNode node = queue[i];
        LessDetours(node, queue);
    }
    return false;
}

std::string Describe(const std::vector<Int64>& tiles, Int64 nTarget)
{
    std::string text;
    for (Int64 t : tiles)
        text += std::to_string(t) + ' ';
    return text + std::to_string(nTarget);
}

// Plays the game with --all and checks its text against the reference. Returns how many
// solutions the target has.
Int64 CheckGame(const std::vector<Int64>& tiles, Int64 nTarget)
{
    const std::string input = Describe(tiles, nTarget);
    SCOPED_TRACE(input);
    const CGameLine line(input);
    std::string text;
    EXPECT_TRUE(CBatchGame(line).Play(text, std::numeric_limits<std::size_t>::max()));
    const EGame game = Evaluate(text, tiles);

    std::set<Int64> wanted;
    for (const EValue& v : game.values)
        wanted.insert(v.nValue);
    const RSolutions reference = Reference(tiles, wanted);

    // The values: the target when some group makes it, else the nearest on each side.
    std::vector<std::pair<Int64, std::string>> expected;
    if (reference.reachable.count(nTarget))
        expected.emplace_back(nTarget, "target");
    else
    {
        const auto above = reference.reachable.upper_bound(nTarget);
        if (above != reference.reachable.end())
            expected.emplace_back(*above, "above");
        const auto below = reference.reachable.lower_bound(nTarget);
        if (below != reference.reachable.begin())
            expected.emplace_back(*std::prev(below), "below");
    }
    EXPECT_EQ(game.values.size(), expected.size()) << text;
    int nReachedMarks = 0;
    Int64 nTargetCount = 0;
    for (std::size_t i = 0; i < std::min(game.values.size(), expected.size()); ++i)
    {
        const EValue& value = game.values[i];
        EXPECT_EQ(value.nValue, expected[i].first);
        EXPECT_EQ(value.side, expected[i].second);
        // The dialog reaches the target exactly when --all finds it, else the nearest value
        // marked as reached.
        if (value.bReached)
        {
            ++nReachedMarks;
            EXPECT_EQ(value.nValue, game.nReached);
        }
        const auto& ref = reference.solutions.count(value.nValue)
                              ? reference.solutions.at(value.nValue)
                              : std::map<std::string, Int64>{};
        EXPECT_EQ(value.nCount, static_cast<Int64>(ref.size()));
        EXPECT_EQ(value.solutions.size(), ref.size());
        std::set<std::string> seen;
        for (std::size_t k = 0; k < value.solutions.size(); ++k)
        {
            const auto& [key, nLargest] = value.solutions[k];
            EXPECT_TRUE(seen.insert(key).second) << "listed twice: " << key;
            const auto it = ref.find(key);
            if (it == ref.end())
                ADD_FAILURE() << "not a solution of the reference: " << key;
            else
                EXPECT_EQ(nLargest, it->second) << key;
        }
        if (value.side == "target")
            nTargetCount = value.nCount;
        // The dialog's own path, its pointless steps dropped, is one of them.
        if (value.bReached && !game.list.empty())
        {
            std::vector<EStep> steps;
            for (auto it = game.list.rbegin(); it != game.list.rend(); ++it)
            {
                EStep s{};
                if (std::sscanf(it->c_str(), "%lld\t= %lld %c %lld", &s.nResult, &s.a, &s.cOperator,
                                &s.b) == 4)
                    steps.push_back(s);
            }
            EXPECT_TRUE(DialogPathListed(tiles, steps, value.nValue, seen))
                << "the dialog's path is not listed: " << text;
        }
    }
    EXPECT_EQ(nReachedMarks, 1) << text;
    return nTargetCount;
}

int GameCount(int nDefault)
{
    const char* pszCount = std::getenv("PIVOLO_ALL_SOLUTIONS_GAMES");
    return pszCount ? std::atoi(pszCount) : nDefault;
}

std::vector<Int64> DrawTiles(std::mt19937& random)
{
    std::vector<Int64> set(CTilePool::FullSet.begin(), CTilePool::FullSet.end());
    std::shuffle(set.begin(), set.end(), random);
    set.resize(6);
    return set;
}
} // namespace

// Games whose answers can be told by hand.
TEST(AllSolutions, WorkedExamples)
{
    struct Case
    {
        std::vector<Int64> tiles;
        Int64 nTarget;
        const char* pszFirst; // the first solution's expression line
        Int64 nCount;
    };
    const Case cases[] = {
        // A tile equal to the target is a solution of no step, and the simplest.
        {{1, 2, 3, 4, 5, 6}, 6, "expression: 6 = 6", -1},
        // 0 is made by taking a tile from its equal, and only so.
        {{7, 7, 1, 1, 2, 2}, 0, "expression: 1 - 1 = 0", 71},
        // 2 x 2 and 2 + 2 are two solutions; 4 / 1 or 2 x 2 x 1 none.
        {{2, 2, 1, 100, 100, 75}, 4, "expression: 2 + 2 = 4", -1},
        // Only 8 / 2 = 4 leads to 387; that one way, then nothing else.
        {{2, 8, 75, 8, 100, 25}, 387, "expression: (100 x 25 - 8 / 2) / 8 + 75 = 387", 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(Describe(c.tiles, c.nTarget));
        const CGameLine line(Describe(c.tiles, c.nTarget));
        std::string text;
        CBatchGame(line).Play(text, std::numeric_limits<std::size_t>::max());
        EXPECT_NE(text.find(std::string("solution: 1 ")), std::string::npos);
        const std::size_t nFirst = text.find("expression: ");
        ASSERT_NE(nFirst, std::string::npos) << text;
        EXPECT_EQ(text.substr(nFirst, text.find('\n', nFirst) - nFirst), c.pszFirst) << text;
        const Int64 nCount = CheckGame(c.tiles, c.nTarget);
        if (c.nCount >= 0)
        {
            EXPECT_EQ(nCount, c.nCount);
        }
    }
}

// With --max, the first solutions are those of the whole list, and the count counts all.
TEST(AllSolutions, MaxKeepsTheFirstOnes)
{
    const CGameLine line("10 9 8 7 6 5 500");
    std::string all;
    std::string three;
    std::string none;
    CBatchGame(line).Play(all, std::numeric_limits<std::size_t>::max());
    CBatchGame(line).Play(three, 3);
    CBatchGame(line).Play(none, 0);
    const std::size_t nFourth = all.find("solution: 4 ");
    ASSERT_NE(nFourth, std::string::npos);
    EXPECT_EQ(three, all.substr(0, nFourth));
    EXPECT_EQ(none, all.substr(0, all.find("solution: 1 ")));
}

TEST(AllSolutions, RandomGamesAgreeWithTheReference)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> target(0, 999);
    const int nGames = GameCount(1000);
    for (int i = 0; i < nGames; ++i)
        CheckGame(DrawTiles(random), target(random));
    std::printf("dialog paths found once a detour was taken out: %d\n", g_nDialogDetours);
}

// Small tiles make many values in many ways; large ones make values beyond reach.
TEST(AllSolutions, HardGamesAgreeWithTheReference)
{
    const std::vector<std::pair<std::vector<Int64>, Int64>> games = {
        {{1, 1, 2, 2, 3, 3}, 12},
        {{1, 1, 2, 2, 3, 3}, 999},
        {{1, 2, 3, 4, 5, 6}, 24},
        {{2, 2, 3, 3, 4, 4}, 48},
        {{1, 1, 2, 2, 3, 3}, 0},
        {{2, 3, 4, 5, 6, 7}, 100},
        {{100, 75, 50, 25, 10, 10}, 999},
        {{3, 3, 4, 4, 6, 6}, 72},
        {{1, 1, 2, 2, 4, 4}, 1},
        // Products beyond 32 bits, refused as steps.
        {{100, 100, 75, 75, 50, 50}, 999},
        {{100, 100, 75, 75, 50, 50}, 1},
        {{100, 100, 75, 75, 50, 50}, 0},
    };
    for (const auto& [tiles, nTarget] : games)
        CheckGame(tiles, nTarget);
}
