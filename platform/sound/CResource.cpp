#include "CResource.h"

#include <QResource>
#include <QString>

#include <mutex>

// Outside any namespace: the macro declares the resource library's initialiser.
static void InitResources()
{
    Q_INIT_RESOURCE(pivolo);
}

CResource CResource::Find(unsigned nId, const char* pszType)
{
    if (pszType == nullptr)
        return {};
    // One lookup at a time: workers look their clips up side by side.
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    static std::once_flag initialised;
    std::call_once(initialised, InitResources);

    const QResource resource(QStringLiteral(":/%1/%2").arg(QString::fromLatin1(pszType)).arg(nId));
    // Compressed bytes could not be handed out in place.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.data() == nullptr)
        return {};
    return CResource(resource.data(), static_cast<std::size_t>(resource.size()));
}
