#include "ControllerQueries.h"

#include "IOManager.h"

bool ControllerQueries::prepare()
{
    if (!m_iom)
        return false;
    m_iom->configure_next_cmd(false, -1, true);
    return true;
}

bool ControllerQueries::text(const QString& par, QString* value)
{
    char answer[IOManager::MaxTextLength + 1] = {};
    if (!prepare() || m_iom->get_par(answer, "%s", par.toLatin1().constData()) != 0)
        return false;
    *value = QString::fromLatin1(answer).trimmed();
    return true;
}

bool ControllerQueries::integer(const QString& par, int* value)
{
    int number = 0;
    if (!prepare() || m_iom->get_par_i(&number, "%s", par.toLatin1().constData()) != 0)
        return false;
    *value = number;
    return true;
}

QString ControllerQueries::unquoted(const QString& value)
{
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        return value.mid(1, value.size() - 2);
    return value;
}
