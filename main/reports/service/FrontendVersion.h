#ifndef ORVANE_FRONTENDVERSION_H
#define ORVANE_FRONTENDVERSION_H

#include <QString>

// The version of this front-end as the user and the support see it.
struct FrontendVersion
{
    int ma = 0;
    int mi = 0;
    int pa = 0;
    QString suffix;     // empty for a release, e.g. "beta2" for a pre-release
    QString buildDate;  // YYYY-MM-DD

    // The version of the running program, fixed when it was built.
    static FrontendVersion current();

    // "v3.3.1 2026-12-08", or "v3.3.1-beta2 2026-12-08" with a suffix.
    QString text() const;
};

#endif
