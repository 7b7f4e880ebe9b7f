# Debian packages the project needs; zqt setup installs the missing ones.
ZQT_PACKAGES=(
  cmake g++ clang make file git python3
  googletest libgtest-dev libbenchmark-dev
  unixodbc unixodbc-dev odbcinst libsqliteodbc sqlite3
  postgresql odbc-postgresql odbc-postgresql:i386
  wine wine64 wine32:i386 libodbc2:i386 libsqliteodbc:i386
  # The faces the window asks for under Wine: Wine's own "MS Sans Serif" and Marlett (the caption buttons, which
  # wine-session.sh copies into each prefix), and Liberation Mono for "Courier New".
  fonts-wine fonts-liberation
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  # xwininfo finds the error box that ./zqt demo --error-box saves.
  xvfb xauth x11-utils imagemagick unzip locales
  # The release: rebuilt under a moved clock and compared (./zqt package --verify), signed, and its test's
  # throw-away certificate.
  faketime diffoscope-minimal osslsigncode openssl
  hamradio-files
)
