#pragma once
// Reads pages out of a compiled help file (CHM). The topics are the pages "/topicNN.htm".

#include <QByteArray>
#include <QString>

struct chmFile;

class TChmFile {
public:
    TChmFile() = default;
    ~TChmFile() { Close(); }
    TChmFile(const TChmFile&) = delete;
    TChmFile& operator=(const TChmFile&) = delete;

    // False when the file is missing or no help file.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return FHandle != nullptr; }

    // The content of a page by its path inside the help file ("/topic03.htm"); empty when there is none.
    QByteArray Page(const QString& pagePath) const;
    static QString TopicPage(int topic);

private:
    chmFile* FHandle = nullptr;
};
