// A shared library without plug-in metadata, as a stray file in the folder.
extern "C" int orvane_not_a_plugin()
{
    return 42;
}
