// The owners of SQLite's handles.
#include "lexicon/Sqlite.h"

#include <sqlite3.h>

#include <new>

namespace {

std::string DetailOf(sqlite3* db, int code) {
    const char* text = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return text != nullptr ? text : sqlite3_errstr(code);
}

[[noreturn]] void Throw(sqlite3* db, int code) {
    if (code == SQLITE_NOMEM)
        throw std::bad_alloc();
    throw TSqliteError{DetailOf(db, code)};
}

} // namespace

TSqliteDatabase::TSqliteDatabase(const std::string& Path, TMode Mode) {
    const int flags =
        Mode == TMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int code = sqlite3_open_v2(Path.c_str(), &Db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string detail = DetailOf(Db, code);
        sqlite3_close(Db);
        Db = nullptr;
        if (code == SQLITE_NOMEM)
            throw std::bad_alloc();
        throw TSqliteError{detail};
    }
    sqlite3_extended_result_codes(Db, 1);
}

TSqliteDatabase::~TSqliteDatabase() {
    sqlite3_close(Db);
}

void TSqliteDatabase::Execute(const char* Sql) {
    const int code = sqlite3_exec(Db, Sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        Throw(Db, code);
}

TSqliteStatement::TSqliteStatement(TSqliteDatabase& Database, std::string_view Sql) : Db(Database.Handle()) {
    const int code = sqlite3_prepare_v2(Db, Sql.data(), static_cast<int>(Sql.size()), &Statement, nullptr);
    if (code != SQLITE_OK)
        Throw(Db, code);
}

TSqliteStatement::~TSqliteStatement() {
    sqlite3_finalize(Statement);
}

void TSqliteStatement::Check(int Code) {
    if (Code != SQLITE_OK)
        Throw(Db, Code);
}

void TSqliteStatement::Bind(int Index, std::string_view Text) {
    // A null pointer would bind NULL instead of an empty text.
    Check(sqlite3_bind_text64(Statement, Index, Text.empty() ? "" : Text.data(), Text.size(),
                              SQLITE_TRANSIENT, SQLITE_UTF8));
}

void TSqliteStatement::Bind(int Index, int64_t Number) {
    Check(sqlite3_bind_int64(Statement, Index, Number));
}

bool TSqliteStatement::Step() {
    const int code = sqlite3_step(Statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    // Reset clears the failed run so that the statement can serve again.
    sqlite3_reset(Statement);
    Throw(Db, code);
}

void TSqliteStatement::Reset() {
    sqlite3_reset(Statement);
    sqlite3_clear_bindings(Statement);
}

std::string_view TSqliteStatement::Text(int Column) const {
    const unsigned char* text = sqlite3_column_text(Statement, Column);
    if (text == nullptr)
        return {};
    return {reinterpret_cast<const char*>(text),
            static_cast<std::size_t>(sqlite3_column_bytes(Statement, Column))};
}

int64_t TSqliteStatement::Number(int Column) const {
    return sqlite3_column_int64(Statement, Column);
}
