"""Whether a Wine prefix's server is running, for the fuzzers that share a prefix with the tests."""
import os


def tece(prefix):
    """A prefix's wineserver works in a folder named after the prefix's device and inode, which Wine
    puts under /tmp/.wine-UID or a /tmp/wine-XXXXXX of its own: look for the process."""
    st = os.stat(prefix)
    folder = "/server-%x-%x" % (st.st_dev, st.st_ino)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/comm" % pid) as f:
                if f.read().startswith("wineserver") and os.readlink("/proc/%s/cwd" % pid).endswith(folder):
                    return True
        except OSError:
            pass
    return False
