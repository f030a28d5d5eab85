#include "CIcon.h"

#include "CIconImpl.h"
#include "CResource.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QStyle>

#include <map>

CIcon::CIcon(std::unique_ptr<Impl> pImpl) : m_pImpl(std::move(pImpl)) {}

CIcon::~CIcon() = default;

int CIcon::ImageCount() const
{
    return m_pImpl->nImages;
}

HICON CIcon::Load(unsigned nId)
{
    // Icons are looked up on the user-interface thread only, once each.
    static std::map<unsigned, std::unique_ptr<CIcon>> loaded;
    if (const auto it = loaded.find(nId); it != loaded.end())
        return it->second.get();

    const CResource resource = CResource::Find(nId, "ICON");
    if (!resource.IsFound())
        return nullptr;
    QByteArray bytes = QByteArray::fromRawData(static_cast<const char*>(resource.Data()),
                                               static_cast<qsizetype>(resource.Size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    auto pImpl = std::make_unique<Impl>();
    for (int i = 0; i < reader.imageCount(); ++i)
    {
        reader.jumpToImage(i);
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        pImpl->icon.addPixmap(QPixmap::fromImage(image));
        ++pImpl->nImages;
    }
    if (pImpl->nImages == 0)
        return nullptr;
    auto& slot = loaded[nId];
    slot.reset(new CIcon(std::move(pImpl)));
    return slot.get();
}

int GetSystemMetrics(int nIndex)
{
    if (nIndex != SM_CXICON && nIndex != SM_CYICON)
        return 0;
    return QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
}
