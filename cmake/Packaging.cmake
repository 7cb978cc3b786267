# The Debian package: `cpack -G DEB` in the build folder makes kavrinto_<version>-1_<arch>.deb from the
# install rules, installed under /usr.

set(KAVRINTO_PACKAGE_RELEASE 1)
set(KAVRINTO_PACKAGE_VERSION ${PROJECT_VERSION}-${KAVRINTO_PACKAGE_RELEASE})
set(KAVRINTO_MAINTAINER "Das Kavrinto-Team <kavrinto@example.org>")

set(CPACK_PACKAGE_NAME kavrinto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kavrinto-Projekt")
set(CPACK_PACKAGE_CONTACT ${KAVRINTO_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KAVRINTO_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt, chmlib, SQLite) come from dpkg-shlibdeps. Added by hand: what Qt loads at run time
# (the platform plugins) and the fonts the window's layout was measured with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "rückläufiges Wörterbuch des Russischen für deutschsprachige Nutzer
Kavrinto sucht russische Wörter nach ihrer Endung. Man tippt Endbuchstaben,
Endsilben oder ein ganzes Wort auf der deutschen Tastatur; jede Taste steht
für den kyrillischen Buchstaben an ihrer Stelle der russischen
Schreibmaschinenbelegung. Kavrinto listet jeden Eintrag des Wörterbuchs, der
auf diese Endung endet, rechtsbündig, sodass die Endungen untereinander
stehen, und zeigt die Zahl der Treffer.
.
Eine Tastatur im Bild tippt Buchstaben per Mausklick, markierte Treffer gehen
in die Zwischenablage, und eine deutsche Hilfe erklärt das Programm. Dazu
kommt kavrinto-suche für die Endungssuche auf der Kommandozeile.
.
Die Wortliste (rund 146 000 Einträge) ist eine veränderte Fassung des
russischen Hunspell-Wörterbuchs ru_RU von Alexander I. Lebedev; ebenso die
Formenliste mit allen rund 1,26 Millionen Formen, die dessen Regeln aus den
Grundformen bilden, und die Zuordnung jeder Form zu ihren Grundformen.
.
Zu einem Wort nennt Kavrinto, was sein Lexikon weiß: die Grundform, die
Betonung und die Wortart (aus festvox-ru) und deutsche Bedeutungen (aus
FreeDict Deutsch-Russisch, CC-BY-SA 3.0).")

# Debian wants a change log beside the copyright file, compressed; its newest entry names this version.
configure_file(${CMAKE_SOURCE_DIR}/resources/changelog.Debian.in ${CMAKE_BINARY_DIR}/changelog.Debian @ONLY)
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.Debian.gz
  COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/changelog.Debian
  DEPENDS ${CMAKE_BINARY_DIR}/changelog.Debian
  VERBATIM)
add_custom_target(kavrinto_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.Debian.gz DESTINATION share/doc/kavrinto)

include(CPack)
