#include "shell/application.h"

int main(int argc, char** argv)
{
    return skarnel::CVennacorApp().Run(argc, argv);
}
