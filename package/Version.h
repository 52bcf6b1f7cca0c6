// The release's number, as the version resources carry it (four numbers and the
// text users see) and as the package's name gives it.
#define MIRADO_VERSION_NUMBERS 1,4,1,0
#define MIRADO_VERSION_TEXT "1.04.01"
