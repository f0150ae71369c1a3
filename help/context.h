// Help context ids of the main dialog's controls and of the command-line
// topic (the usage box's help button), as the program passes them to the
// help engine (res/resource.h includes this file). Read by the help
// compiler's [MAP] section: one plain "#define NAME NUMBER" per line, no
// comment after a number.
#define HIDC_LIST_LABEL 20000
#define HIDC_NAME_LABEL 20001
#define HIDC_SET_LABEL  20002
#define HIDC_SET        20003
#define HIDC_VERSION    20004
#define HIDC_CLOSE      20005
#define HIDC_HELP       20006
#define HIDC_CMDLINE    20007
