#include "ComPort.h"

CComPort::CComPort() : m_nPort(1) {}

void CComPort::SetPort(int port) { m_nPort = port; }
