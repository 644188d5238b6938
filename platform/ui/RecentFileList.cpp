#include "RecentFileList.h"

#include "AbsolutePath.h"
#include "GuiSession.h"

#include <QSettings>
#include <algorithm>

namespace {

constexpr size_t kMenuTextLength = 60;

QString Key(int index)
{
    return QStringLiteral("%1/File%2").arg(QLatin1String(RecentFileList::kSection)).arg(index + 1);
}

// "/home/user/.../name.kst": the first folder, an ellipsis and the file name.
std::string Shortened(const std::string& path)
{
    if (path.size() <= kMenuTextLength)
        return path;
    const size_t nameStart = path.find_last_of('/');
    const std::string name = nameStart == std::string::npos ? path : path.substr(nameStart + 1);
    const size_t firstEnd = path.find('/', 1);
    std::string head = firstEnd == std::string::npos || firstEnd >= nameStart
        ? std::string()
        : path.substr(0, firstEnd);
    // Keep as many trailing folders as fit.
    std::string tail = "/" + name;
    size_t cut = nameStart;
    while (cut != std::string::npos && cut > 0) {
        const size_t previous = path.find_last_of('/', cut - 1);
        if (previous == std::string::npos || previous <= head.size())
            break;
        const std::string longer = path.substr(previous);
        if (head.size() + 4 + longer.size() > kMenuTextLength)
            break;
        tail = longer;
        cut = previous;
    }
    return head + "/..." + tail;
}

} // namespace

RecentFileList::RecentFileList(int size) : size_(std::max(size, 1))
{
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    const std::string entry = AbsolutePath(path);
    entries_.erase(std::remove(entries_.begin(), entries_.end(), entry), entries_.end());
    entries_.insert(entries_.begin(), entry);
    if (static_cast<int>(entries_.size()) > size_)
        entries_.resize(static_cast<size_t>(size_));
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < static_cast<int>(entries_.size()))
        entries_.erase(entries_.begin() + index);
}

void RecentFileList::Load(QSettings& settings)
{
    entries_.clear();
    for (int i = 0; i < size_; ++i) {
        const std::string path = ToUtf8(settings.value(Key(i)).toString());
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end())
            entries_.push_back(path);
    }
}

void RecentFileList::Save(QSettings& settings) const
{
    for (int i = 0; i < size_; ++i) {
        if (i < static_cast<int>(entries_.size()))
            settings.setValue(Key(i),
                QString::fromUtf8(entries_[i].data(), static_cast<qsizetype>(entries_[i].size())));
        else
            settings.remove(Key(i));
    }
}

std::string RecentFileList::MenuText(int index) const
{
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return {};
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : Shortened(entries_[static_cast<size_t>(index)])) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}
