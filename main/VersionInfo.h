#ifndef VERSIONINFO_H
#define VERSIONINFO_H

#include <QString>

// One version number major.minor.patch as the controller reports it.  A part
// that is not known is -1 and orders below every given value, so 2 < 2.0.
class VersionInfo
{
public:
    VersionInfo() = default;
    VersionInfo(int ma, int mi, int pa);

    void setVer(int ma, int mi, int pa);

    // Lenient parse of controller texts such as "v1.12.3", "1.12.3beta" or
    // "1.12.3-rc1".  When ok is given it reports whether the last number read
    // converted, and a failed conversion stops the parse there.
    static VersionInfo fromString(const QString& text, bool* ok = nullptr);

    int getMajor() const { return ma; }
    int getMinor() const { return mi; }
    int getPatch() const { return pa; }

    // Feature thresholds count major and minor only: any patch, known or not,
    // meets a threshold whose major and minor are met.
    bool reaches(int major, int minor) const { return ma > major || (ma == major && mi >= minor); }

    // "1.12.3"; parts that are not given are left out ("2", "1.12").
    QString toString() const;

    friend bool operator==(const VersionInfo& a, const VersionInfo& b);
    friend bool operator!=(const VersionInfo& a, const VersionInfo& b);
    friend bool operator<(const VersionInfo& a, const VersionInfo& b);
    friend bool operator<=(const VersionInfo& a, const VersionInfo& b);
    friend bool operator>(const VersionInfo& a, const VersionInfo& b);
    friend bool operator>=(const VersionInfo& a, const VersionInfo& b);

private:
    int ma = -1;
    int mi = -1;
    int pa = -1;
};

#endif
