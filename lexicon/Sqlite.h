// SQLite's C API behind two small owners: a database connection and a prepared statement. Every value
// goes in as a bound parameter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A failed call, with SQLite's own words as the detail; callers put a German sentence around it.
struct TSqliteError {
    std::string Detail;
};

class TSqliteDatabase {
public:
    enum class TMode { ReadOnly, Create };

    // Throws TSqliteError. ReadOnly never creates a file; Create makes it or opens it for writing.
    TSqliteDatabase(const std::string& Path, TMode Mode);
    ~TSqliteDatabase();
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

    // SQL without parameters (schema, PRAGMA, BEGIN); throws TSqliteError.
    void Execute(const char* Sql);
    sqlite3* Handle() const { return Db; }

private:
    sqlite3* Db = nullptr;
};

class TSqliteStatement {
public:
    TSqliteStatement(TSqliteDatabase& Database, std::string_view Sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    // Parameters count from 1, as in SQLite. Text is copied by SQLite.
    void Bind(int Index, std::string_view Text);
    void Bind(int Index, int64_t Number);

    // True while a row is there; false when done. Throws TSqliteError.
    bool Step();
    // Ready for new parameters and a new run.
    void Reset();

    std::string_view Text(int Column) const;
    int64_t Number(int Column) const;

private:
    void Check(int Code);

    sqlite3* Db;
    sqlite3_stmt* Statement = nullptr;
};
