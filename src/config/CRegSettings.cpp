#include "CRegSettings.h"

#include "AppInfo.h"
#include "SettingsStore.h"

#include <cmath>
#include <limits>

using namespace RegSettingsDetail;

namespace {

const QString kDefaultCompany = QStringLiteral("Quorvane");

// `value` as stored: a QString as it is, any other number as a 32-bit integer.
bool SaveSetting(Hive hive, const QString &keyPath, const QString &key, const QVariant &value)
{
    QVariant toStore;
    if (value.typeId() == QMetaType::QString) {
        toStore = value;
    } else {
        const auto number = ToDword(value);
        if (!number)
            return false;
        toStore = QVariant(*number);
    }
    return WriteSetting(hive, keyPath, key, toStore);
}

} // namespace

CRegSettings::CRegSettings()
    : m_company(kDefaultCompany)
    , m_appName(ApplicationTitle())
{
}

void CRegSettings::setCompany(const QString &company)
{
    m_company = company.trimmed();
    if (m_company.isEmpty())
        m_company = kDefaultCompany;
}

void CRegSettings::setAppName(const QString &appName)
{
    m_appName = appName.trimmed();
    if (m_appName.isEmpty())
        m_appName = ApplicationTitle();
}

QString CRegSettings::UserKeyPath(const QString &section) const
{
    QString path = QStringLiteral("Software\\") + m_company + QLatin1Char('\\') + m_appName;
    if (!section.isEmpty())
        path += QLatin1Char('\\') + section;
    return path;
}

QString CRegSettings::MachineKeyPath(const QString &section) const
{
    QString path = QStringLiteral("Software\\") + m_company + QStringLiteral("\\Editor");
    if (!section.isEmpty())
        path += QLatin1Char('\\') + section;
    return path;
}

QVariant CRegSettings::GetUserSetting(const QString &section, const QString &key,
                                      const QVariant &defaultValue, bool useAppPath) const
{
    return ReadSetting(Hive::CurrentUser, useAppPath ? UserKeyPath(section) : section, key,
                      defaultValue);
}

QVariant CRegSettings::GetMachineSetting(const QString &section, const QString &key,
                                         const QVariant &defaultValue, bool useAppPath) const
{
    return ReadSetting(Hive::LocalMachine, useAppPath ? MachineKeyPath(section) : section, key,
                      defaultValue);
}

bool CRegSettings::SaveUserSetting(const QString &section, const QString &key,
                                   const QVariant &value, bool useAppPath) const
{
    return SaveSetting(Hive::CurrentUser, useAppPath ? UserKeyPath(section) : section, key,
                       value);
}

bool CRegSettings::SaveMachineSetting(const QString &section, const QString &key,
                                      const QVariant &value, bool useAppPath) const
{
    return SaveSetting(Hive::LocalMachine, useAppPath ? MachineKeyPath(section) : section, key,
                       value);
}

bool CRegSettings::DeleteUserSetting(const QString &section, const QString &key) const
{
    if (key.isEmpty() && section.isEmpty())
        return false;
    return DeleteSetting(Hive::CurrentUser, UserKeyPath(section), key);
}

namespace RegSettingsDetail {

std::optional<qint32> ToDword(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
        break;
    default:
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::ULong) {
        const qulonglong u = value.toULongLong();
        if (u > qulonglong(std::numeric_limits<qint32>::max()))
            return std::nullopt;
        return qint32(u);
    }
    if (value.typeId() != QMetaType::Float && value.typeId() != QMetaType::Double) {
        const qlonglong n = value.toLongLong();
        if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
            return std::nullopt;
        return qint32(n);
    }
    const double rounded = std::nearbyint(value.toDouble());
    if (!std::isfinite(rounded) || rounded < double(std::numeric_limits<qint32>::min())
        || rounded > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(rounded);
}

} // namespace RegSettingsDetail
