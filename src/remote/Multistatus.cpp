#include "remote/Multistatus.h"

#include <QXmlStreamReader>

namespace {

QString Name_Of(const QXmlStreamReader& xml) {
    return Dav_Name(xml.namespaceUri().toString(), xml.name().toString());
}

bool Is(const QXmlStreamReader& xml, const QString& ns, const char* local) {
    return xml.namespaceUri() == ns && xml.name() == QLatin1String(local);
}

int Status_Code(const QString& line) {
    // "HTTP/1.1 200 OK"
    const QStringList parts = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

// The properties of one propstat, kept until its status says whether they count.
struct PropStat {
    QHash<QString, QString> properties;
    QHash<QString, QStringList> hrefs;
    QStringList resource_types;
    QStringList components;
    int status = 0;
};

class Reader {
  public:
    explicit Reader(const QByteArray& data) : xml_(data), empty_(data.trimmed().isEmpty()) {}

    DavMultistatus Read() {
        DavMultistatus result;
        if (empty_)
            return Fail(QStringLiteral("The server's answer is empty."));
        bool seen_root = false;
        while (!xml_.atEnd()) {
            const QXmlStreamReader::TokenType token = xml_.readNext();
            if (token == QXmlStreamReader::DTD)
                return Fail(QStringLiteral("The server's answer declares a document type, which "
                                           "is not accepted."));
            if (token == QXmlStreamReader::EntityReference)
                return Fail(QStringLiteral("The server's answer uses entities, which are not "
                                           "accepted."));
            if (token == QXmlStreamReader::StartElement) {
                if (++depth_ > Max_Dav_Depth)
                    return Fail(QStringLiteral("The server's answer is nested too deeply."));
                if (!seen_root) {
                    if (!Is(xml_, Dav_Ns, "multistatus"))
                        return Fail(QStringLiteral("The server's answer is not a WebDAV "
                                                   "multistatus."));
                    seen_root = true;
                    continue;
                }
                Start_Element(&result);
                if (result.responses.size() > Max_Dav_Responses)
                    return Fail(QStringLiteral("The server's answer lists too many items."));
            } else if (token == QXmlStreamReader::EndElement) {
                End_Element(&result);
                --depth_;
            } else if (token == QXmlStreamReader::Characters) {
                text_ += xml_.text();
            }
        }
        if (xml_.hasError())
            return Fail(QStringLiteral("The server's answer is not well-formed XML (line %1: %2).")
                            .arg(xml_.lineNumber())
                            .arg(xml_.errorString()));
        result.ok = true;
        return result;
    }

  private:
    DavMultistatus Fail(const QString& error) {
        DavMultistatus failed;
        failed.error = error;
        return failed;
    }

    void Start_Element(DavMultistatus* result) {
        text_.clear();
        if (Is(xml_, Dav_Ns, "response") && depth_ == 2) {
            result->responses.append(DavResponse());
            in_response_ = true;
            return;
        }
        if (!in_response_)
            return;
        if (Is(xml_, Dav_Ns, "propstat") && depth_ == 3) {
            propstat_ = PropStat();
            in_propstat_ = true;
        } else if (in_propstat_ && Is(xml_, Dav_Ns, "prop") && depth_ == 4) {
            in_prop_ = true;
        } else if (in_prop_ && depth_ == 5) {
            property_ = Name_Of(xml_);
            property_text_.clear();
        } else if (in_prop_ && depth_ > 5) {
            if (property_ == Dav_Name(Dav_Ns, QStringLiteral("resourcetype")) && depth_ == 6)
                propstat_.resource_types << Name_Of(xml_);
            if (Is(xml_, CalDav_Ns, "comp"))
                propstat_.components
                    << xml_.attributes().value(QStringLiteral("name")).toString().toUpper();
        }
    }

    void End_Element(DavMultistatus* result) {
        const QString text = text_;
        text_.clear();
        if (!in_response_) {
            if (Is(xml_, Dav_Ns, "sync-token") && depth_ == 2)
                result->sync_token = text.trimmed();
            return;
        }
        DavResponse& response = result->responses.last();
        if (in_prop_ && depth_ > 5) {
            property_text_ += text;
            if (Is(xml_, Dav_Ns, "href"))
                propstat_.hrefs[property_] << text.trimmed();
        } else if (in_prop_ && depth_ == 5) {
            property_text_ += text;
            propstat_.properties.insert(property_, property_text_);
        } else if (in_prop_ && depth_ == 4) {
            in_prop_ = false;
        } else if (in_propstat_ && depth_ == 4 && Is(xml_, Dav_Ns, "status")) {
            propstat_.status = Status_Code(text);
        } else if (in_propstat_ && depth_ == 3) {
            in_propstat_ = false;
            // Properties a server says it has not got (404) are as if not asked for.
            if (propstat_.status == 0 || (propstat_.status >= 200 && propstat_.status < 300)) {
                response.properties.insert(propstat_.properties);
                response.hrefs.insert(propstat_.hrefs);
                response.resource_types << propstat_.resource_types;
                response.components << propstat_.components;
            }
        } else if (depth_ == 3 && Is(xml_, Dav_Ns, "href")) {
            response.href = text.trimmed();
        } else if (depth_ == 3 && Is(xml_, Dav_Ns, "status")) {
            response.status = Status_Code(text);
        } else if (depth_ == 2) {
            in_response_ = false;
        }
    }

    QXmlStreamReader xml_;
    bool empty_;
    int depth_ = 0;
    QString text_;
    bool in_response_ = false;
    bool in_propstat_ = false;
    bool in_prop_ = false;
    PropStat propstat_;
    QString property_;
    QString property_text_;
};

} // namespace

DavMultistatus Read_Multistatus(const QByteArray& xml) {
    return Reader(xml).Read();
}
