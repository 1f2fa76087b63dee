"""Simulated Samsung CDMA phone (SCH-E120 / SCH-E250) for VelarMon's tests.

Written independently of the program; it shares no code with the program.
"""
