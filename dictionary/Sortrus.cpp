// Russian sort keys: one table of 156 characters with their keys, both lookups derived from it.
#include "dictionary/Sortrus.h"

#include <array>

namespace {

struct TKeyRow {
    uint16_t Unit;
    uint16_t Key;
};

// Keys 301, 302 and 369 to 378 are not assigned; every unit not listed here is its own key.
// clang-format off
constexpr std::array<TKeyRow, 156> KeyTable = {{
    // 279 to 297: punctuation and blanks
    {0x2026, 279}, {0x0020, 280}, {0x0026, 281}, {0x0027, 282},                     /* 279-282 */
    {0x0028, 283}, {0x0029, 284}, {0x002B, 285}, {0x002C, 286},                     /* 283-286 */
    {0x002D, 287}, {0x002E, 288}, {0x002F, 289}, {0x003A, 290},                     /* 287-290 */
    {0x003B, 291}, {0x003D, 292}, {0x003E, 293}, {0x003F, 294},                     /* 291-294 */
    {0x007B, 295}, {0x007C, 296}, {0x007D, 297},                                    /* 295-297 */
    // 298 to 300: superscripts
    {0x00B9, 298}, {0x00B2, 299}, {0x00B3, 300},                                    /* ¹ ² ³ */
    // 303 to 368: the Russian alphabet, each small letter before its capital; е ё Е Ё
    {0x0430, 303}, {0x0410, 304},                                                   /* а А */
    {0x0431, 305}, {0x0411, 306},                                                   /* б Б */
    {0x0432, 307}, {0x0412, 308},                                                   /* в В */
    {0x0433, 309}, {0x0413, 310},                                                   /* г Г */
    {0x0434, 311}, {0x0414, 312},                                                   /* д Д */
    {0x0435, 313}, {0x0451, 314}, {0x0415, 315}, {0x0401, 316},                     /* е ё Е Ё */
    {0x0436, 317}, {0x0416, 318},                                                   /* ж Ж */
    {0x0437, 319}, {0x0417, 320},                                                   /* з З */
    {0x0438, 321}, {0x0418, 322},                                                   /* и И */
    {0x0439, 323}, {0x0419, 324},                                                   /* й Й */
    {0x043A, 325}, {0x041A, 326},                                                   /* к К */
    {0x043B, 327}, {0x041B, 328},                                                   /* л Л */
    {0x043C, 329}, {0x041C, 330},                                                   /* м М */
    {0x043D, 331}, {0x041D, 332},                                                   /* н Н */
    {0x043E, 333}, {0x041E, 334},                                                   /* о О */
    {0x043F, 335}, {0x041F, 336},                                                   /* п П */
    {0x0440, 337}, {0x0420, 338},                                                   /* р Р */
    {0x0441, 339}, {0x0421, 340},                                                   /* с С */
    {0x0442, 341}, {0x0422, 342},                                                   /* т Т */
    {0x0443, 343}, {0x0423, 344},                                                   /* у У */
    {0x0444, 345}, {0x0424, 346},                                                   /* ф Ф */
    {0x0445, 347}, {0x0425, 348},                                                   /* х Х */
    {0x0446, 349}, {0x0426, 350},                                                   /* ц Ц */
    {0x0447, 351}, {0x0427, 352},                                                   /* ч Ч */
    {0x0448, 353}, {0x0428, 354},                                                   /* ш Ш */
    {0x0449, 355}, {0x0429, 356},                                                   /* щ Щ */
    {0x044A, 357}, {0x042A, 358},                                                   /* ъ Ъ */
    {0x044B, 359}, {0x042B, 360},                                                   /* ы Ы */
    {0x044C, 361}, {0x042C, 362},                                                   /* ь Ь */
    {0x044D, 363}, {0x042D, 364},                                                   /* э Э */
    {0x044E, 365}, {0x042E, 366},                                                   /* ю Ю */
    {0x044F, 367}, {0x042F, 368},                                                   /* я Я */
    // 379 to 446: Latin letters, capital before small, accented forms after their base letter
    {0x0041, 379}, {0x00C4, 380}, {0x0061, 381}, {0x00E4, 382}, {0x00E2, 383},      /* A Ä a ä â */
    {0x0042, 384}, {0x0062, 385},                                                   /* B b */
    {0x0043, 386}, {0x0063, 387},                                                   /* C c */
    {0x0044, 388}, {0x0064, 389},                                                   /* D d */
    {0x0045, 390}, {0x0065, 391}, {0x00E8, 392}, {0x00E9, 393}, {0x00EA, 394}, {0x00EB, 395},/* E e è é ê ë */
    {0x0046, 396}, {0x0066, 397},                                                   /* F f */
    {0x0047, 398}, {0x0067, 399},                                                   /* G g */
    {0x0048, 400}, {0x0068, 401},                                                   /* H h */
    {0x0049, 402}, {0x0069, 403}, {0x00EE, 404},                                    /* I i î */
    {0x004A, 405}, {0x006A, 406},                                                   /* J j */
    {0x004B, 407}, {0x006B, 408},                                                   /* K k */
    {0x004C, 409}, {0x006C, 410},                                                   /* L l */
    {0x004D, 411}, {0x006D, 412},                                                   /* M m */
    {0x004E, 413}, {0x006E, 414}, {0x00F1, 415},                                    /* N n ñ */
    {0x004F, 416}, {0x00D6, 417}, {0x006F, 418}, {0x00F6, 419}, {0x00F2, 420}, {0x00F4, 421},/* O Ö o ö ò ô */
    {0x0050, 422}, {0x0070, 423},                                                   /* P p */
    {0x0051, 424}, {0x0071, 425},                                                   /* Q q */
    {0x0052, 426}, {0x0072, 427},                                                   /* R r */
    {0x0053, 428}, {0x0073, 429}, {0x00DF, 430},                                    /* S s ß */
    {0x0054, 431}, {0x0074, 432},                                                   /* T t */
    {0x0055, 433}, {0x00DC, 434}, {0x0075, 435}, {0x00FC, 436},                     /* U Ü u ü */
    {0x0056, 437}, {0x0076, 438},                                                   /* V v */
    {0x0057, 439}, {0x0077, 440},                                                   /* W w */
    {0x0058, 441}, {0x0078, 442},                                                   /* X x */
    {0x0059, 443}, {0x0079, 444},                                                   /* Y y */
    {0x005A, 445}, {0x007A, 446},                                                   /* Z z */
}};
// clang-format on

using TLookup = std::array<uint16_t, 65536>;

constexpr TLookup MakeIdentity() {
    TLookup t{};
    for (unsigned u = 0; u < t.size(); ++u)
        t[u] = static_cast<uint16_t>(u);
    return t;
}

constexpr TLookup MakeCharToKey() {
    TLookup t = MakeIdentity();
    for (const TKeyRow& row : KeyTable)
        t[row.Unit] = row.Key;
    return t;
}

constexpr TLookup MakeKeyToChar() {
    TLookup t = MakeIdentity();
    for (const TKeyRow& row : KeyTable)
        t[row.Key] = row.Unit;
    return t;
}

constexpr bool KeysAreDistinct() {
    std::array<bool, 65536> seen{};
    for (const TKeyRow& row : KeyTable) {
        if (seen[row.Key] || row.Key < 279 || row.Key > LetterKeyLast)
            return false;
        seen[row.Key] = true;
    }
    return true;
}
static_assert(KeysAreDistinct(), "every key of the table is used once, within 279..446");

} // namespace

constinit const std::array<uint16_t, 65536> SortRusTables::CharToKey = MakeCharToKey();
constinit const std::array<uint16_t, 65536> SortRusTables::KeyToChar = MakeKeyToChar();
