// Keeps the support library non-empty while no shared test helper exists yet.
namespace ParvolinTestSupport {
int anchor = 0;
}
