#include "DetailBox.h"

#include "ModelScope.h"
#include "FlowItemText.h"
#include "SafeDrawing.h"
#include "ShownText.h"
#include "TokenText.h"
#include "TokenType.h"
#include "UnitDetail.h"
#include "VisualSetting.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace {

std::string AccessMark(const CModelScope& member)
{
    const CUnit* unit = member.GetFirstUnit();
    switch (unit != nullptr ? GetUnitAccess(*unit) : 0) {
    case ACCESS_PROTECTED:
        return "# ";
    case ACCESS_PRIVATE:
        return "- ";
    default:
        return "+ ";
    }
}

// The text of the tokens, as far as a line of the box can show it (a
// default argument may be a string of megabytes); empty when a position it
// reaches lies outside the file's tokens (a damaged cache).
std::string Spelling(const CUnit& unit, const TokenIndices& indices)
{
    if (unit.tokens == nullptr)
        return {};
    try {
        return JoinedText(unit.tokens, indices).Part(0, kLongestShownLine + 1);
    } catch (const std::out_of_range&) {
        return {};
    }
}

// The words before a function's name that say how it is declared, not what
// it returns.
bool IsFunctionSpecifier(const std::string& word)
{
    static const char* const words[] = {"virtual", "inline", "__inline", "__forceinline",
        "explicit", "friend", "static", "extern", "constexpr"};
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

// The return type of a function: its declaration's specifiers without the
// function specifiers.
std::string ReturnType(const CUnit& unit, const CFunctionInfo& record)
{
    if (unit.tokens == nullptr)
        return {};
    TokenIndices type;
    for (int position : record.specifierTokens) {
        if (position >= 0 && static_cast<size_t>(position) < unit.tokens->size() &&
            !IsFunctionSpecifier(TokenSpelling(*unit.tokens, position)))
            type.push_back(position);
    }
    return Spelling(unit, type);
}

// Every token of a parameter, from its first specifier up to the comma or
// parenthesis that ends it: "int a [ 4 ]", "int d = 5". A comma inside the
// specifiers (map < int , int >) or inside brackets does not end it.
std::string ParameterText(const CUnit& unit, const CVariableInfo& parameter)
{
    const TokenIndices& specifiers = parameter.specifierTokens;
    const TokenIndices& order = unit.tokenIndices;
    if (specifiers.empty() || unit.tokens == nullptr)
        return parameter.qualifiedName.name;
    const int first = *std::min_element(specifiers.begin(), specifiers.end());
    const int lastSpecifier = *std::max_element(specifiers.begin(), specifiers.end());
    auto at = std::find(order.begin(), order.end(), first);
    TokenIndices span;
    int depth = 0;
    for (; at != order.end(); ++at) {
        if (*at < 0 || static_cast<size_t>(*at) >= unit.tokens->size())
            break;
        const int32_t type = (*unit.tokens)[static_cast<size_t>(*at)].type;
        if (depth == 0 && *at > lastSpecifier && (type == COMMA || type == RP))
            break;
        if (type == LP || type == LB || type == LC)
            ++depth;
        else if ((type == RP || type == RB || type == RC) && depth > 0)
            --depth;
        span.push_back(*at);
    }
    return Spelling(unit, span);
}

DetailMethod MethodOf(const CModelScope& member)
{
    DetailMethod method;
    method.name = ShownLine(AccessMark(member), member.name);
    method.params = " (";
    const CUnit* unit = member.GetFirstUnit();
    const CFunctionInfo* record = unit != nullptr ? AsFunctionInfo(*unit) : nullptr;
    if (record != nullptr) {
        for (size_t i = 0; i < record->parameters.size(); ++i) {
            method.params += (i > 0 ? ", " : "") + ParameterText(*unit, record->parameters[i]);
        }
        const std::string type = ReturnType(*unit, *record);
        if (!type.empty())
            method.type = " : " + type;
    }
    method.params += ")";
    // A line longer than the box shows keeps only what shows.
    if (method.params.size() > kLongestShownLine + 1)
        method.params.resize(kLongestShownLine + 1);
    return method;
}

// A caption measured with a pixel of room on each side.
CSize Padded(CSize size)
{
    if (size.cx > 0 && size.cy > 0)
        return {size.cx + 2, size.cy + 2};
    return size;
}

bool InSquare(CPoint point, int left, int top, int side)
{
    return side > 0 && point.x >= left && point.x <= left + side && point.y >= top &&
        point.y <= top + side;
}

} // namespace

const CFontHolder& DetailCaptionFont(const CModelScope* scope, const CVisualSetting& fonts)
{
    const CUnit* unit = scope != nullptr ? scope->GetFirstUnit() : nullptr;
    return unit != nullptr ? fonts.GetItemFont(GetUnitCategory(unit->kind)) : fonts.defaultFont;
}

void DetailBox::Fill(const CModelScope& source)
{
    scope = &source;
    if (!source.scopeChildren)
        return;
    for (const auto& child : *source.scopeChildren) {
        const CModelScope& member = *child;
        switch (GetUnitCategory(member.kind)) {
        case UNIT_VARIABLE:
            attributes.push_back({ShownLine(AccessMark(member), member.name)});
            break;
        case UNIT_FUNCTION:
            methods.push_back(MethodOf(member));
            break;
        default:
            nested.emplace_back().Fill(member);
            break;
        }
    }
}

void DetailBox::CloseAll()
{
    open = false;
    showParams = false;
    showTypes = false;
    for (DetailSection& section : sections)
        section.open = false;
}

bool DetailBox::HasEntries(int section) const
{
    switch (section) {
    case kAttributes:
        return !attributes.empty();
    case kMethods:
        return !methods.empty();
    default:
        return !nested.empty();
    }
}

const std::string& DetailBox::ShownParams(const DetailMethod& method) const
{
    static const std::string hidden = kHiddenParams;
    return showParams || method.params.size() == 3 ? method.params : hidden;
}

const std::string& DetailBox::ShownType(const DetailMethod& method) const
{
    static const std::string hidden = kHiddenType;
    return showTypes || method.type.empty() ? method.type : hidden;
}

void DetailBox::Measure(CDC& dc, const CVisualSetting& fonts, int inset)
{
    contentW = 0;
    for (int s = 0; s < 3; ++s) {
        DetailSection& section = sections[static_cast<size_t>(s)];
        section.widest = 0;
        section.linesH = 0;
        section.headerW = 0;
        section.headerH = 0;
        section.square = 0;
        const CFontHolder& font = fonts.GetItemFont(kSectionKinds[s]);
        SelectedFont selected(dc, font);
        if (s == kAttributes) {
            for (DetailAttribute& line : attributes) {
                const CSize size = selected.Measure(line.text);
                line.width = size.cx;
                line.height = size.cy;
                section.widest = std::max(section.widest, line.width);
                section.linesH += line.height;
            }
        } else if (s == kMethods) {
            for (DetailMethod& method : methods) {
                const CSize name = selected.Measure(method.name);
                method.nameW = name.cx;
                method.height = name.cy;
                method.paramsW = selected.Measure(ShownParams(method)).cx;
                method.typeW = selected.Measure(ShownType(method)).cx;
                section.widest =
                    std::max(section.widest, method.nameW + method.paramsW + 1 + method.typeW + 1);
                section.linesH += method.height;
            }
        } else {
            for (DetailBox& box : nested) {
                box.Measure(dc, fonts, inset);
                section.widest = std::max(section.widest, box.width);
                section.linesH += box.height;
            }
        }
        if (!HasEntries(s))
            continue;
        const CSize caption = Padded(selected.Measure(kSectionCaptions[s]));
        section.square = std::max(0, caption.cy - 2);
        section.headerH = caption.cy;
        // The methods header holds two more squares at its right end.
        section.headerW = caption.cx + (s == kMethods ? 4 : 1) * section.square;
        contentW = std::max({contentW, section.headerW, section.square + section.widest + 1});
    }

    {
        SelectedFont selected(dc, DetailCaptionFont(scope, fonts));
        const CSize caption = Padded(selected.Measure(
            scope != nullptr ? std::string_view(scope->name) : std::string_view()));
        captionW = caption.cx;
        captionH = caption.cy;
    }
    const bool anyEntries = HasEntries(kAttributes) || HasEntries(kMethods) || HasEntries(kNested);
    foldSize = anyEntries ? std::max(0, captionH - 2) : 0;
    captionW += foldSize;
    contentW = std::max(contentW, captionW);

    contentH = 0;
    for (int s = 0; s < 3; ++s) {
        const DetailSection& section = sections[static_cast<size_t>(s)];
        if (HasEntries(s))
            contentH += section.headerH + (section.open ? section.linesH : 0);
    }
    width = contentW + 2 * inset;
    height = captionH + 2 * inset + (open ? contentH : 0);
}

void DetailBox::Place(int left, int top, int inset)
{
    x = left;
    y = top;
    foldX = x + inset;
    foldY = y + inset;
    int below = foldY + captionH;
    for (int s = 0; s < 3; ++s) {
        DetailSection& section = sections[static_cast<size_t>(s)];
        if (!open || !HasEntries(s))
            continue;
        section.headerX = foldX;
        section.headerY = below;
        below += section.headerH;
        if (!section.open)
            continue;
        if (s == kNested) {
            int nestedY = below;
            for (DetailBox& box : nested) {
                box.Place(foldX + section.square, nestedY, inset);
                nestedY += box.height;
            }
        }
        below += section.linesH;
    }
}

bool DetailBox::HitTest(CPoint point, bool doubleClick)
{
    if (point.x <= x || point.x >= x + width || point.y <= y || point.y >= y + height)
        return false;
    const DetailSection& nestedSection = sections[kNested];
    if (open && nestedSection.open && HasEntries(kNested)) {
        for (DetailBox& box : nested) {
            if (box.HitTest(point, doubleClick))
                return true;
        }
    }
    if (InSquare(point, foldX, foldY, foldSize)) {
        open = !open;
        return true;
    }
    if (!open)
        return true;
    for (int s = 0; s < 3; ++s) {
        DetailSection& section = sections[static_cast<size_t>(s)];
        if (!HasEntries(s))
            continue;
        const int hx = section.headerX;
        const int hy = section.headerY;
        const int square = section.square;
        if (s == kMethods && point.y >= hy && point.y < hy + section.headerH && doubleClick) {
            section.open = !section.open;
            showParams = section.open;
            showTypes = section.open;
            return true;
        }
        if (InSquare(point, hx, hy, square)) {
            section.open = !section.open;
            return true;
        }
        if (s == kMethods && InSquare(point, hx + section.headerW - 2 * square, hy, square)) {
            showParams = !showParams;
            return true;
        }
        if (s == kMethods && InSquare(point, hx + section.headerW - square, hy, square)) {
            showTypes = !showTypes;
            return true;
        }
    }
    return true;
}
