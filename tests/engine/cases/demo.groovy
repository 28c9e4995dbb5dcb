#!/usr/bin/env groovy
def s = """multi
line ${x}"""
def t = '''single
quoted'''
def p = $/C:\dir\file/$
def e = "say \"hi\""  // comment
