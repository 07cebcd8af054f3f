#include "CQuillaneApp.h"
#include "FirstPaintStamp.h"

int main(int argc, char** argv)
{
    CQuillaneApp app(argc, argv);
    FirstPaintStamp stamp("quillane");
    return app.run();
}
