#pragma once

#include <QString>

// A link to an application or document: a file path, a title and a type.
class AppLnk
{
public:
    AppLnk() = default;
    virtual ~AppLnk() = default;

    QString file() const { return m_file; }
    void setFile(const QString& file) { m_file = file; }
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    QString type() const { return m_type; }
    void setType(const QString& type) { m_type = type; }

private:
    QString m_file;
    QString m_name;
    QString m_type;
};
