#include "platform/qt/TkQtClipboard.h"

#include <QGuiApplication>
#include <QMimeData>

#include <new>

namespace {

// Offers the flavours' names and makes their bytes on the first request.
class CTkLazyMimeData : public QMimeData {
public:
    explicit CTkLazyMimeData(std::vector<TkClipboardFlavour> flavours)
        : m_flavours(std::move(flavours)), m_made(m_flavours.size())
    {
    }

    QStringList formats() const override
    {
        QStringList names;
        for (const TkClipboardFlavour& flavour : m_flavours)
            names << QString::fromStdString(flavour.strMime);
        return names;
    }

    bool hasFormat(const QString& mimeType) const override { return Find(mimeType) >= 0; }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override
    {
        const int i = Find(mimeType);
        if (i < 0) return {};
        if (!m_made[i]) {
            try {
                const std::vector<std::uint8_t> bytes = m_flavours[i].make();
                m_made[i] = QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                       qsizetype(bytes.size()));
            } catch (const std::bad_alloc&) {
                return {};
            }
        }
        return *m_made[i];
    }

private:
    int Find(const QString& mimeType) const
    {
        const std::string name = mimeType.toStdString();
        for (std::size_t i = 0; i < m_flavours.size(); ++i) {
            if (m_flavours[i].strMime == name) return int(i);
        }
        return -1;
    }

    std::vector<TkClipboardFlavour> m_flavours;
    mutable std::vector<std::optional<QByteArray>> m_made;
};

QClipboard* Clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                         : nullptr;
}

}  // namespace

TkClipboardResult CTkQtClipboard::SetFlavours(std::vector<TkClipboardFlavour> flavours)
{
    QClipboard* pClipboard = Clipboard();
    if (!pClipboard) return TkClipboardResult::NotOpened;
    // The clipboard owns the data from here on.
    pClipboard->setMimeData(new CTkLazyMimeData(std::move(flavours)), m_mode);
    return TkClipboardResult::Done;
}

std::vector<std::string> CTkQtClipboard::GetMimeTypes()
{
    std::vector<std::string> names;
    QClipboard* pClipboard = Clipboard();
    const QMimeData* pData = pClipboard ? pClipboard->mimeData(m_mode) : nullptr;
    if (!pData) return names;
    for (const QString& name : pData->formats()) names.push_back(name.toStdString());
    return names;
}

std::optional<std::vector<std::uint8_t>> CTkQtClipboard::GetData(const std::string& strMime)
{
    QClipboard* pClipboard = Clipboard();
    const QMimeData* pData = pClipboard ? pClipboard->mimeData(m_mode) : nullptr;
    const QString name = QString::fromStdString(strMime);
    if (!pData || !pData->hasFormat(name)) return std::nullopt;
    const QByteArray bytes = pData->data(name);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}
