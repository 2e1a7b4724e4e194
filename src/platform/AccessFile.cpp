#include "platform/AccessFile.h"

#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <mdbtools.h>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace {
// A memo as long as Access lets a user type (65,535 characters, up to three bytes each in UTF-8) fits; libmdb's
// default bind buffer (16 KiB) would cut it short. libmdb writes at most this much into a buffer.
constexpr size_t kBindSize = 256 * 1024;

QString Beschadigd() { return QStringLiteral("het bestand is beschadigd of is geen Access-database."); }

struct TKolom {
    QString Naam;
    int Soort;  // libmdb's column type
    QString Type;
};

// The declared type for the engine; a type FieldTypeFromDeclaredType reads back as the Access type.
QString DeclaredType(MdbHandle* mdb, const MdbColumn& column) {
    switch (column.col_type) {
    case MDB_BOOL:
        return QStringLiteral("BOOLEAN");
    case MDB_BYTE:
    case MDB_INT:
        return QStringLiteral("SMALLINT");
    case MDB_LONGINT:
        return QStringLiteral("INTEGER");
    case MDB_MONEY:
        return QStringLiteral("CURRENCY");
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return QStringLiteral("DOUBLE");
    case MDB_NUMERIC:
        return QStringLiteral("DECIMAL");
    case MDB_DATETIME:
        return QStringLiteral("DATETIME");
    // From Jet 4 on a text column's size counts bytes of two per character.
    case MDB_TEXT:
        return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(IS_JET3(mdb) ? column.col_size : column.col_size / 2);
    case MDB_MEMO:
        return QStringLiteral("MEMO COLLATE NOCASE");
    case MDB_REPID:
        return QStringLiteral("VARCHAR(38)");
    default:
        return QStringLiteral("BLOB");
    }
}

QString Quoted(const QString& name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

void Exec(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : EngineMessage(db);
        sqlite3_free(error);
        throw EDatabaseError(message);
    }
}

// Binds one value as libmdb wrote it into the bind buffer (text in the formats set on the handle); an empty
// value is the NULL that libmdb reports with length 0.
void BindValue(sqlite3_stmt* insert, int index, const TKolom& kolom, const char* waarde, int lengte) {
    if (lengte <= 0 || kolom.Soort == MDB_OLE) {
        sqlite3_bind_null(insert, index);
        return;
    }
    // The reported length may be that of the whole value where the buffer holds only its start.
    lengte = kolom.Soort == MDB_BINARY ? std::min(lengte, int(kBindSize)) : int(qstrnlen(waarde, uint(kBindSize)));
    const QByteArray text(waarde, lengte);
    switch (kolom.Soort) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        sqlite3_bind_int64(insert, index, text.toLongLong());
        break;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        // libmdb formats with the process's locale, which may write a decimal comma.
        sqlite3_bind_double(insert, index, QByteArray(text).replace(',', '.').toDouble());
        break;
    case MDB_BINARY:
        sqlite3_bind_blob(insert, index, waarde, std::min(lengte, int(kBindSize)), SQLITE_TRANSIENT);
        break;
    default:
        sqlite3_bind_text(insert, index, waarde, lengte, SQLITE_TRANSIENT);
    }
}

void CopyTable(MdbCatalogEntry* entry, sqlite3* db) {
    MdbTableDef* table = mdb_read_table(entry);
    if (!table)
        throw EOrvError(QStringLiteral("tabel %1 kan niet worden gelezen").arg(QString::fromUtf8(entry->object_name)));
    const auto freeTable = qScopeGuard([&] { mdb_free_tabledef(table); });
    mdb_read_columns(table);
    mdb_rewind_table(table);
    const QString naam = QString::fromUtf8(entry->object_name);
    std::vector<TKolom> kolommen;
    QStringList definities, namen, parameters;
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        kolommen.push_back({QString::fromUtf8(column->name), column->col_type, DeclaredType(entry->mdb, *column)});
        definities.append(Quoted(kolommen.back().Naam) + u' ' + kolommen.back().Type);
        namen.append(Quoted(kolommen.back().Naam));
        parameters.append(QStringLiteral("?"));
    }
    Exec(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(Quoted(naam), definities.join(QStringLiteral(", "))));
    if (kolommen.empty()) return;
    std::vector<std::unique_ptr<char[]>> buffers;
    std::vector<int> lengtes(kolommen.size(), 0);
    for (size_t i = 0; i < kolommen.size(); ++i) {
        buffers.push_back(std::make_unique<char[]>(kBindSize));
        // No statement reads OLE objects (pictures, documents): they are left unread, whatever their size.
        if (kolommen[i].Soort != MDB_OLE) mdb_bind_column(table, int(i) + 1, buffers.back().get(), &lengtes[i]);
    }
    sqlite3_stmt* insert = nullptr;
    const QByteArray sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(Quoted(naam), namen.join(QStringLiteral(", ")), parameters.join(QStringLiteral(", ")))
            .toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &insert, nullptr) != SQLITE_OK)
        throw EDatabaseError(EngineMessage(db));
    const auto finalize = qScopeGuard([&] { sqlite3_finalize(insert); });
    while (mdb_fetch_row(table)) {
        for (size_t i = 0; i < kolommen.size(); ++i)
            BindValue(insert, int(i) + 1, kolommen[i], buffers[i].get(), lengtes[i]);
        if (sqlite3_step(insert) != SQLITE_DONE) throw EDatabaseError(EngineMessage(db));
        sqlite3_reset(insert);
    }
}
}

bool IsAccessFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(19);
    return head.startsWith(QByteArray("\x00\x01\x00\x00", 4)) &&
           (head.mid(4) == "Standard Jet DB" || head.mid(4) == "Standard ACE DB");
}

void CopyAccessFile(const QString& path, sqlite3* db) {
    WithPrefix(QStringLiteral("Het Access-bestand \"%1\" kan niet worden gelezen: ").arg(path), [&] {
        // libmdb opens without MDB_WRITABLE read-only: the file is never changed.
        MdbHandle* mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
        if (!mdb) throw EOrvError(Beschadigd());
        const auto close = qScopeGuard([&] { mdb_close(mdb); });
        mdb_set_bind_size(mdb, kBindSize);
        // Dates as the engine stores them (kDateTimeFormat), booleans as 1 and 0.
        mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
        mdb_set_boolean_fmt_numbers(mdb);
        if (!mdb_read_catalog(mdb, MDB_TABLE)) throw EOrvError(Beschadigd());
        Exec(db, QStringLiteral("BEGIN"));
        try {
            for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
                auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
                if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry)) CopyTable(entry, db);
            }
            Exec(db, QStringLiteral("COMMIT"));
        } catch (...) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    });
}
