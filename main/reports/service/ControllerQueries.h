#ifndef ORVANE_CONTROLLERQUERIES_H
#define ORVANE_CONTROLLERQUERIES_H

#include <QString>

class IOManager;

// Parameter reads for the service dialogs. A dialog shows a default for
// whatever the controller cannot answer, so a failed read is no error box.
class ControllerQueries
{
public:
    explicit ControllerQueries(IOManager* iom) : m_iom(iom) {}

    // The value text of "orvane2 get <par>"; false when it fails.
    bool text(const QString& par, QString* value);
    bool integer(const QString& par, int* value);

    // A text value without the quotes the controller puts around free text.
    static QString unquoted(const QString& value);

private:
    bool prepare();
    IOManager* m_iom;
};

#endif
