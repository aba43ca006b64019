#include "app/quillmere_app.h"

int main(int argc, char** argv) {
    CQuillmereApp application;
    return application.run(argc, argv);
}
